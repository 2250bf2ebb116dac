// The user's number format, answered the way the desktop's locale query
// answers it. The answers come from the POSIX locale (LC_NUMERIC), each of
// which an environment variable DOTWISE_LOCALE_<NAME> may replace; tests put
// a source of their own in place.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "Win32Types.h"

using LCID = DWORD;
using LCTYPE = DWORD;

inline constexpr LCID LOCALE_USER_DEFAULT = 0x0400;
inline constexpr LCTYPE LOCALE_SDECIMAL = 0x0E;
inline constexpr LCTYPE LOCALE_STHOUSAND = 0x0F;
inline constexpr LCTYPE LOCALE_SGROUPING = 0x10;
inline constexpr LCTYPE LOCALE_IDIGITS = 0x11;
inline constexpr LCTYPE LOCALE_ILZERO = 0x12;
inline constexpr LCTYPE LOCALE_SNEGATIVESIGN = 0x51;
inline constexpr LCTYPE LOCALE_INEGNUMBER = 0x1010;

class LocaleSource {
public:
    virtual ~LocaleSource() = default;
    // The answer text of one query, or nothing when the locale has none.
    virtual std::optional<std::string> Query(LCTYPE type) const = 0;
};

// The user's POSIX locale, with the environment's overrides. For the values
// POSIX has no counterpart for it answers: decimal places "2", leading zero
// "1" (shown), negative number mode "1" (sign before the number) and
// negative sign "-".
class PosixLocaleSource : public LocaleSource {
public:
    std::optional<std::string> Query(LCTYPE type) const override;
    // The environment variable that replaces the answer of a query.
    static const char* OverrideVariable(LCTYPE type);
};

// Fixed answers, for tests.
class FixedLocaleSource : public LocaleSource {
public:
    explicit FixedLocaleSource(std::map<LCTYPE, std::string> answers) : m_answers(std::move(answers)) {}
    std::optional<std::string> Query(LCTYPE type) const override;

private:
    std::map<LCTYPE, std::string> m_answers;
};

// Replaces the source the queries read; null puts the POSIX source back.
void SetLocaleSource(const LocaleSource* source);

// Copies the answer with its terminating zero into `data` and returns the
// characters copied; with `cchData` 0 returns the size needed; 0 when the
// locale has no answer or the buffer is too small.
int GetLocaleInfoA(LCID locale, LCTYPE type, char* data, int cchData);

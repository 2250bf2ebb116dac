// The user's number format, answered the way the desktop's locale query
// answers it. The answers come from the user's locale (on Linux the POSIX
// LC_NUMERIC), each of which an environment variable DOTWISE_LOCALE_<NAME> may
// replace; tests put a source of their own in place.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "Geometry.h"

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

// The user's own number format: on Linux the POSIX locale's, in a page the browser's;
// each build links the one it has.
const LocaleSource& UserLocaleSource();

// Replaces the source the queries read; null puts the user's own back.
void SetLocaleSource(const LocaleSource* source);

// Copies the answer with its terminating zero into `data` and returns the
// characters copied; with `cchData` 0 returns the size needed; 0 when the
// locale has no answer or the buffer is too small.

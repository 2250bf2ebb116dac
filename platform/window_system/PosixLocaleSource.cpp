#include "LocaleInfo.h"

#include <langinfo.h>
#include <locale.h>

#include <climits>
#include <cstdlib>

#include "../driver/LocaleVariables.h"
#include "Utf8.h"

namespace {

// "3;0" from POSIX grouping bytes: each byte a group size; the form's first
// number is all a reader takes.
std::string GroupingText(const char* grouping) {
    if (grouping == nullptr || grouping[0] == '\0' || grouping[0] == CHAR_MAX) return "0";
    std::string text;
    for (const char* g = grouping; *g != '\0' && *g != CHAR_MAX; ++g) {
        if (!text.empty()) text += ';';
        text += std::to_string(static_cast<int>(*g));
    }
    return text + ";0";
}

// The user's own LC_NUMERIC, read without touching the process's C locale.
// Opened once: the environment that names it stays as it was for the whole
// run, and each opening reads the locale's files again.
locale_t UserNumericLocale() {
    static const locale_t user = [] {
        const locale_t own = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(0));
        return own != static_cast<locale_t>(0) ? own : newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(0));
    }();
    return user;
}

std::optional<std::string> PosixAnswer(LCTYPE type) {
    switch (type) {
    case LOCALE_SDECIMAL: return nl_langinfo_l(RADIXCHAR, UserNumericLocale());
    case LOCALE_STHOUSAND: return nl_langinfo_l(THOUSEP, UserNumericLocale());
    case LOCALE_SGROUPING: return GroupingText(nl_langinfo_l(GROUPING, UserNumericLocale()));
    case LOCALE_IDIGITS: return "2";
    case LOCALE_ILZERO:                  // a leading zero shown
    case LOCALE_INEGNUMBER: return "1";  // the sign before the number
    case LOCALE_SNEGATIVESIGN: return "-";
    default: return std::nullopt;
    }
}

}  // namespace

const char* PosixLocaleSource::OverrideVariable(LCTYPE type) { return LocaleOverrideVariable(type); }

std::optional<std::string> PosixLocaleSource::Query(LCTYPE type) const {
    // Text from the environment or a locale file may be any bytes; what the
    // program holds is UTF-8, so a broken sequence becomes U+FFFD here, once.
    if (const char* name = OverrideVariable(type)) {
        if (const char* value = std::getenv(name)) return RepairUtf8(value);
    }
    std::optional<std::string> answer = PosixAnswer(type);
    if (answer) *answer = RepairUtf8(*answer);
    return answer;
}

const LocaleSource& UserLocaleSource() {
    static const PosixLocaleSource posix;
    return posix;
}

// The environment variables that replace the values of the user's number
// format, in every build, so that the same driver scripts run with the same
// formats everywhere.
#pragma once

#include <windows.h>

// The variable that replaces the answer of a number-format query, or null.
inline const char* LocaleOverrideVariable(LCTYPE type) {
    switch (type) {
    case LOCALE_SDECIMAL: return "DOTWISE_LOCALE_SDECIMAL";
    case LOCALE_STHOUSAND: return "DOTWISE_LOCALE_STHOUSAND";
    case LOCALE_SGROUPING: return "DOTWISE_LOCALE_SGROUPING";
    case LOCALE_IDIGITS: return "DOTWISE_LOCALE_IDIGITS";
    case LOCALE_ILZERO: return "DOTWISE_LOCALE_ILZERO";
    case LOCALE_INEGNUMBER: return "DOTWISE_LOCALE_INEGNUMBER";
    case LOCALE_SNEGATIVESIGN: return "DOTWISE_LOCALE_SNEGATIVESIGN";
    default: return nullptr;
    }
}

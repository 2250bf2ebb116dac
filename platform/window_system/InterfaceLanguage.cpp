#include "InterfaceLanguage.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

namespace {

constexpr LANGID kChinese = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);
constexpr LANGID kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

bool Set(const char* value) { return value != nullptr && value[0] != '\0'; }

// "C", "C.UTF-8", "POSIX" and the like: no language named.
bool NamesNoLanguage(std::string_view name) {
    const std::string_view base = name.substr(0, name.find_first_of(".@"));
    return base == "C" || base == "POSIX";
}

// The language one locale name or LANGUAGE entry asks for; 0 for one the program lacks.
LANGID LanguageOf(std::string_view name) {
    if (NamesNoLanguage(name) || name.starts_with("zh")) return kChinese;
    if (name.starts_with("en")) return kEnglish;
    return 0;
}

}  // namespace

LANGID InterfaceLanguageFrom(const char* language, const char* lcAll, const char* lcMessages, const char* lang) {
    if (Set(language)) {
        std::string_view list(language);
        bool named = false;
        while (!list.empty()) {
            const std::string_view entry = list.substr(0, list.find(':'));
            list.remove_prefix(std::min(list.size(), entry.size() + 1));
            if (entry.empty()) continue;
            if (const LANGID found = LanguageOf(entry)) return found;
            named = true;
        }
        if (named) return kEnglish;
    }
    for (const char* locale : {lcAll, lcMessages, lang})
        if (Set(locale)) return LanguageOf(locale) != 0 ? LanguageOf(locale) : kEnglish;
    return kChinese;
}

LANGID InterfaceLanguage() {
    return InterfaceLanguageFrom(std::getenv("LANGUAGE"), std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
}

bool InterfaceIsChinese() { return PRIMARYLANGID(InterfaceLanguage()) == LANG_CHINESE; }

// One user, one language: the thread, the user and the system agree.
LANGID WINAPI GetUserDefaultUILanguage() { return InterfaceLanguage(); }
LANGID WINAPI GetSystemDefaultUILanguage() { return InterfaceLanguage(); }
LANGID WINAPI GetThreadUILanguage() { return InterfaceLanguage(); }

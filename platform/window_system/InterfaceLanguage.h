// The language the interface speaks. The user says it as a GNU program's
// user does: LANGUAGE's list first, then the first of LC_ALL, LC_MESSAGES and
// LANG that is set. The program has Chinese, its own language, and English.
#pragma once

#include "Geometry.h"

// Chinese for "zh..." and for "C", "POSIX" or nothing set (the program's own
// language); English for any other language named. In LANGUAGE's list the
// first entry the program has decides; a list of only languages it lacks
// gives English, as Windows falls back to English (United States).
LANGID InterfaceLanguageFrom(const char* language, const char* lcAll, const char* lcMessages, const char* lang);

// The language this process's environment asks for, read anew at each call.
LANGID InterfaceLanguage();

bool InterfaceIsChinese();

// The window system's own text in the interface's language.
inline const char* InterfaceText(const char* chinese, const char* english) { return InterfaceIsChinese() ? chinese : english; }

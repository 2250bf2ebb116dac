// Pixels of the program icon, one row per string: '.' is transparent,
// '0'-'9' and 'a'-'f' index the 16-colour palette.
#pragma once

extern const char* const kMainIcon32[32];
extern const char* const kMainIcon16[16];

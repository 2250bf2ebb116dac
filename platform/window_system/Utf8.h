// UTF-8, the text of the whole program: decoding, encoding and mending text
// that arrives from outside (the environment, the locale, a terminal).
#pragma once

#include <string>
#include <string_view>

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// The code points of `text`; each invalid sequence (its longest valid beginning,
// or one stray byte) reads as one U+FFFD.
std::u32string DecodeUtf8(std::string_view text);
// One code point as UTF-8; one outside Unicode's range gives U+FFFD.
std::string EncodeUtf8(char32_t cp);
// The same written at `bytes`, which has room for four; returns how many it wrote.
int EncodeUtf8(char32_t cp, char* bytes) noexcept;
// `text` with each invalid sequence replaced by one U+FFFD; valid text stays as it is.
std::string RepairUtf8(std::string_view text);

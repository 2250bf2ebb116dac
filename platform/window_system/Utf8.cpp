#include "Utf8.h"

#include <algorithm>
#include <cstring>
#include <cwchar>

#include <windows.h>

namespace {

// Reads the character at `pos`. Returns its length in bytes and sets `valid`;
// an invalid sequence is as long as its longest valid beginning, at least one
// byte, so that it reads as one U+FFFD.
std::size_t ReadCharacter(std::string_view text, std::size_t pos, char32_t& cp, bool& valid) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    valid = false;
    cp = lead;
    if (lead < 0x80) {
        valid = true;
        return 1;
    }
    std::size_t length = 0;
    // The range the second byte must fall in excludes overlong forms, surrogates and code points past Unicode.
    unsigned char low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2, cp = lead & 0x1F;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3, cp = lead & 0x0F, low = lead == 0xE0 ? 0xA0 : 0x80, high = lead == 0xED ? 0x9F : 0xBF;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4, cp = lead & 0x07, low = lead == 0xF0 ? 0x90 : 0x80, high = lead == 0xF4 ? 0x8F : 0xBF;
    else
        return 1;
    for (std::size_t i = 1; i < length; ++i) {
        if (pos + i >= text.size()) return i;
        const auto next = static_cast<unsigned char>(text[pos + i]);
        if (next < (i == 1 ? low : 0x80) || next > (i == 1 ? high : 0xBF)) return i;
        cp = (cp << 6) | (next & 0x3F);
    }
    valid = true;
    return length;
}

}  // namespace

// Text is built in place, not a character at a time: in the page each call
// out of a function with something to undo is a trip through JavaScript.
std::u32string DecodeUtf8(std::string_view text) {
    std::u32string out(text.size(), U'\0');
    std::size_t length = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        char32_t cp = 0;
        bool valid = false;
        pos += ReadCharacter(text, pos, cp, valid);
        out[length++] = valid ? cp : kReplacementCharacter;
    }
    out.resize(length);
    return out;
}

int EncodeUtf8(char32_t cp, char* bytes) noexcept {
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = kReplacementCharacter;
    if (cp < 0x80) {
        bytes[0] = static_cast<char>(cp);
        return 1;
    }
    if (cp < 0x800) {
        bytes[0] = static_cast<char>(0xC0 | (cp >> 6));
        bytes[1] = static_cast<char>(0x80 | (cp & 0x3F));
        return 2;
    }
    if (cp < 0x10000) {
        bytes[0] = static_cast<char>(0xE0 | (cp >> 12));
        bytes[1] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        bytes[2] = static_cast<char>(0x80 | (cp & 0x3F));
        return 3;
    }
    bytes[0] = static_cast<char>(0xF0 | (cp >> 18));
    bytes[1] = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    bytes[2] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    bytes[3] = static_cast<char>(0x80 | (cp & 0x3F));
    return 4;
}

std::string EncodeUtf8(char32_t cp) {
    char bytes[4];
    return std::string(bytes, static_cast<std::size_t>(EncodeUtf8(cp, bytes)));
}

std::string RepairUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        char32_t cp = 0;
        bool valid = false;
        const std::size_t length = ReadCharacter(text, pos, cp, valid);
        if (valid)
            out.append(text.substr(pos, length));
        else
            out += EncodeUtf8(kReplacementCharacter);
        pos += length;
    }
    return out;
}

// Text is UTF-8 throughout, so UTF-8 is the one code page these convert; a
// wide character here is a whole code point. A length of -1 counts the
// terminating zero in, as the platform's functions do.
int WINAPI MultiByteToWideChar(UINT codePage, DWORD, LPCSTR text, int length, LPWSTR wide, int wideLength) {
    if (codePage != CP_UTF8 || text == nullptr || wideLength < 0) return 0;
    const std::size_t bytes = length < 0 ? std::strlen(text) + 1 : static_cast<std::size_t>(length);
    const std::u32string decoded = DecodeUtf8(std::string_view(text, bytes));
    const auto needed = static_cast<int>(decoded.size());
    if (wideLength == 0) return needed;
    if (wide == nullptr || wideLength < needed) return 0;
    std::transform(decoded.begin(), decoded.end(), wide, [](char32_t cp) { return static_cast<WCHAR>(cp); });
    return needed;
}

int WINAPI WideCharToMultiByte(UINT codePage, DWORD, LPCWSTR wide, int wideLength, LPSTR text, int length, LPCSTR, BOOL* usedDefaultChar) {
    if (usedDefaultChar != nullptr) *usedDefaultChar = FALSE;
    if (codePage != CP_UTF8 || wide == nullptr || length < 0) return 0;
    const std::size_t count = wideLength < 0 ? std::wcslen(wide) + 1 : static_cast<std::size_t>(wideLength);
    std::string encoded;
    for (std::size_t i = 0; i < count; ++i) encoded += wide[i] == 0 ? std::string(1, '\0') : EncodeUtf8(static_cast<char32_t>(wide[i]));
    const auto needed = static_cast<int>(encoded.size());
    if (length == 0) return needed;
    if (text == nullptr || length < needed) return 0;
    // The terminating zero is among the encoded bytes where the length counted it, as the caller asked.
    std::memcpy(text, encoded.data(), encoded.size());  // NOLINT(bugprone-not-null-terminated-result)
    return needed;
}

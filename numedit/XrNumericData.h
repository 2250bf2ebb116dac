// One character of the numeric edit control: what kind of character it is
// and the character itself.
#pragma once

#include <string_view>

#include "../platform/class_library/CObject.h"

// Element kinds; the value list holds only separator, placeholder and digit.
enum : int {
    NDK_DECIMAL = 0,
    NDK_GROUP = 1,
    NDK_PLACEHOLDER = 2,
    NDK_DIGIT = 3,
    NDK_PREFIX = 4,
    NDK_SUFFIX = 5,
    NDK_PAD = 6,
    NDK_SIGN = 7,
};

// One whole UTF-8 character. Value characters are single bytes; a group
// separator, prefix or suffix character from the locale may be longer, and
// is then kept whole rather than split into bytes.
class NumericChar {
public:
    NumericChar() = default;
    NumericChar(char c) : m_size(1) { m_bytes[0] = c; }  // NOLINT: a plain char is a one-byte character
    // The character starting at `pos` of `text`; `pos` moves past it.
    static NumericChar Take(std::string_view text, std::size_t& pos);

    std::string_view View() const { return {m_bytes, m_size}; }
    int Size() const { return m_size; }
    // The character as one byte; 0 for a longer character.
    char Byte() const { return m_size == 1 ? m_bytes[0] : '\0'; }
    bool operator==(char c) const { return m_size == 1 && m_bytes[0] == c; }
    bool operator==(const NumericChar& other) const { return View() == other.View(); }

private:
    char m_bytes[4] = {};
    unsigned char m_size = 1;
};

class CXrNumericData : public CObject {
    DECLARE_DYNCREATE(CXrNumericData)

public:
    CXrNumericData() = default;
    CXrNumericData(int nKind, NumericChar ch) : m_nKind(nKind), m_ch(ch) {}
    ~CXrNumericData() override = default;

    void Assign(const CXrNumericData& other) {
        m_nKind = other.m_nKind;
        m_ch = other.m_ch;
    }
    BOOL IsKind(int nKind) const { return m_nKind == nKind ? TRUE : FALSE; }
    // Placeholders take '#', digits take '0' to '9'; other kinds take nothing.
    BOOL Accepts(char ch) const;

    int m_nKind = NDK_DIGIT;
    NumericChar m_ch = '\0';
};

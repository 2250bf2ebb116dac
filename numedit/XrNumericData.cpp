#include "XrNumericData.h"

IMPLEMENT_DYNCREATE(CXrNumericData, CObject, 0xFFFF)

NumericChar NumericChar::Take(std::string_view text, std::size_t& pos) {
    NumericChar ch;
    const auto lead = static_cast<unsigned char>(text[pos]);
    std::size_t size = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    if (pos + size > text.size()) size = 1;
    for (std::size_t i = 0; i < size; ++i) ch.m_bytes[i] = text[pos + i];
    ch.m_size = static_cast<unsigned char>(size);
    pos += size;
    return ch;
}

BOOL CXrNumericData::Accepts(char ch) const {
    switch (m_nKind) {
    case NDK_PLACEHOLDER: return ch == '#' ? TRUE : FALSE;
    case NDK_DIGIT: return ch >= '0' && ch <= '9' ? TRUE : FALSE;
    default: return FALSE;
    }
}

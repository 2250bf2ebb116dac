// Construction, locale settings, ownership of the elements and the message map.
#include "XrNumericEdit.h"

#include <algorithm>
#include <climits>
#include <optional>
#include <vector>

#include "../platform/class_library/CDC.h"

namespace {

std::optional<std::string> QueryLocale(LCTYPE type) {
    const int size = GetLocaleInfoA(LOCALE_USER_DEFAULT, type, nullptr, 0);
    if (size == 0) return std::nullopt;
    std::vector<char> buffer(static_cast<std::size_t>(size));
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buffer.data(), size) == 0) return std::nullopt;
    return std::string(buffer.data());
}

// As atoi reads: optional blanks and sign, then digits; 0 when there are none.
int ReadInteger(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\r' || text[i] == '\v' || text[i] == '\f')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > INT_MAX) value = INT_MAX;
    }
    return static_cast<int>(negative ? -value : value);
}

// The locale's own settings keep within these bounds: group sizes of 0 to 9
// digits, 0 to 9 decimal places and separators of at most three characters.
// A value outside them is not a format anybody uses, and would make every
// keystroke slow or the display unbounded.
constexpr int kMaxGroupSize = 9;
constexpr int kMaxDecimalPlaces = 9;
constexpr std::size_t kMaxSeparatorCharacters = 3;

// The first `count` whole characters of `text`.
std::string FirstCharacters(const std::string& text, std::size_t count) {
    std::size_t pos = 0;
    for (std::size_t taken = 0; taken < count && pos < text.size(); ++taken) NumericChar::Take(text, pos);
    return text.substr(0, pos);
}

// A setting that is one character takes the answer's first character, but
// only when that is a whole character of one byte: an empty answer or a
// multi-byte character would store a zero or half a character.
void TakeSingleByte(const std::optional<std::string>& answer, char& member) {
    if (!answer || answer->empty() || static_cast<unsigned char>((*answer)[0]) >= 0x80) return;
    member = (*answer)[0];
}

}  // namespace

BEGIN_MESSAGE_MAP(CXrNumericEdit, CEdit)
ON_WM_KEYDOWN()
ON_WM_CHAR()
ON_WM_SETFOCUS()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_LBUTTONDBLCLK()
ON_WM_MOUSEMOVE()
ON_MESSAGE(WM_CUT, OnCut)
ON_MESSAGE(WM_COPY, OnCopy)
ON_MESSAGE(WM_PASTE, OnPaste)
ON_MESSAGE(WM_CLEAR, OnClear)
ON_MESSAGE(WM_SETTEXT, OnSetText)
ON_MESSAGE(WM_GETTEXT, OnGetText)
ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
ON_MESSAGE(EM_SETSEL, OnSetSel)
ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

CXrNumericEdit::CXrNumericEdit() {
    ReadLocale();
    ResetValue(HasDecimals());
    m_crText = GetSysColor(COLOR_WINDOWTEXT);
}

CXrNumericEdit::~CXrNumericEdit() { ClearLists(); }

void CXrNumericEdit::ReadLocale() {
    TakeSingleByte(QueryLocale(LOCALE_SDECIMAL), m_chDecimal);
    if (auto groupSep = QueryLocale(LOCALE_STHOUSAND)) m_strGroupSep = FirstCharacters(*groupSep, kMaxSeparatorCharacters);
    if (auto grouping = QueryLocale(LOCALE_SGROUPING)) {
        const int size = ReadInteger(grouping->substr(0, grouping->find(';')));
        m_nGroupSize = size >= 0 && size <= kMaxGroupSize ? size : 0;
    }
    if (auto digits = QueryLocale(LOCALE_IDIGITS)) m_nDecimalPlaces = std::clamp(ReadInteger(*digits), 0, kMaxDecimalPlaces);
    if (auto leadingZero = QueryLocale(LOCALE_ILZERO)) m_nLeadingZero = ReadInteger(*leadingZero) != 0 ? NLZ_SHOW : NLZ_NONE;
    if (auto negative = QueryLocale(LOCALE_INEGNUMBER)) {
        switch (ReadInteger(*negative)) {
        case 0: m_nNegFormat = 0; break;
        case 1:
        case 2: m_nNegFormat = 4; break;
        case 3:
        case 4: m_nNegFormat = 6; break;
        default: break;
        }
    }
    TakeSingleByte(QueryLocale(LOCALE_SNEGATIVESIGN), m_chNegSign);
}

void CXrNumericEdit::SetDecimalPlaces(int nPlaces) {
    m_nDecimalPlaces = nPlaces;
    const CString old = GetValueText(TRUE);
    ResetValue(HasDecimals());
    SetValueText(old.c_str(), TRUE, TRUE);
}

void CXrNumericEdit::ClearLists() {
    if (m_listDisplay.empty() && ::IsWindow(m_hWnd)) SetWindowText("");
    m_listDisplay.clear();
    m_listValue.clear();
}

void CXrNumericEdit::PreSubclassWindow() {
    CEdit::PreSubclassWindow();
    if (IsDisplayEmpty()) return;
    ComposeDisplay();
    Refresh(0);
}

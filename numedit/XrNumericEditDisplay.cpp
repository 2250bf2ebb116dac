// The display: composed from the value list by the locale's grouping and
// negative layout, mapped to and from value indexes, and written to the window.
#include "../platform/class_library/CDC.h"
#include "XrNumericEdit.h"

namespace {

// Where prefix (P), opening sign (O), digits (D), closing sign (C) and
// suffix (S) go in each negative layout.
constexpr const char* kNegativeLayouts[8] = {"PODCS", "OPDCS", "OPDSC", "PODSC", "PODS", "OPDS", "PDOS", "PDSO"};
constexpr const char* kPositiveLayout = "PDS";

}  // namespace

void CXrNumericEdit::AppendDisplay(int nKind, NumericChar ch) { m_listDisplay.emplace_back(nKind, ch); }

void CXrNumericEdit::ComposeDisplay() {
    m_listDisplay.clear();
    const char* layout = kPositiveLayout;
    if (IsNegativeNonZero()) layout = kNegativeLayouts[m_nNegFormat >= 0 && m_nNegFormat < 8 ? m_nNegFormat : 5];
    for (const char* block = layout; *block != '\0'; ++block) {
        switch (*block) {
        case 'P':
            if (m_strPrefix.IsEmpty()) break;
            AddPrefix();
            AddPadSpaces();
            break;
        case 'S':
            if (m_strSuffix.IsEmpty()) break;
            AddPadSpaces();
            AddSuffix();
            break;
        case 'D': AddDigits(); break;
        case 'O': AddSign(TRUE); break;
        case 'C': AddSign(FALSE); break;
        default: break;
        }
    }
}

void CXrNumericEdit::AddPrefix() {
    for (std::size_t pos = 0; pos < m_strPrefix.size();) AppendDisplay(NDK_PREFIX, NumericChar::Take(m_strPrefix, pos));
}

void CXrNumericEdit::AddSuffix() {
    for (std::size_t pos = 0; pos < m_strSuffix.size();) AppendDisplay(NDK_SUFFIX, NumericChar::Take(m_strSuffix, pos));
}

void CXrNumericEdit::AddGroupSep() {
    for (std::size_t pos = 0; pos < m_strGroupSep.size();) AppendDisplay(NDK_GROUP, NumericChar::Take(m_strGroupSep, pos));
}

void CXrNumericEdit::AddPadSpaces() {
    for (int i = 0; i < m_nPadSpaces; ++i) AppendDisplay(NDK_PAD, ' ');
}

void CXrNumericEdit::AddSign(BOOL bOpening) {
    char sign = m_chNegSign;
    if (m_nNegFormat >= 0 && m_nNegFormat <= 3) {
        switch (m_nBracketStyle) {
        case NBR_ROUND: sign = bOpening ? '(' : ')'; break;
        case NBR_CURLY: sign = bOpening ? '{' : '}'; break;
        case NBR_SQUARE: sign = bOpening ? '[' : ']'; break;
        default: sign = '-'; break;
        }
    }
    AppendDisplay(NDK_SIGN, sign);
}

int CXrNumericEdit::GetIntegerLength() const {
    int length = 0;
    for (const auto& element : m_listValue) {
        if (element.IsKind(NDK_DECIMAL)) break;
        ++length;
    }
    return length;
}

void CXrNumericEdit::AddDigits() {
    const int length = GetIntegerLength();
    const int group = m_nGroupSize;
    // The first group is the short one.
    int counter = (group != 0 && length % group != 0) ? group - length % group : 0;
    int position = 0;
    for (const auto& element : m_listValue) {
        ++position;
        ++counter;
        if (element.IsKind(NDK_PLACEHOLDER))
            AppendDisplay(NDK_PLACEHOLDER, '0');
        else if (element.IsKind(NDK_DECIMAL))
            AppendDisplay(NDK_DECIMAL, m_chDecimal);
        else
            AppendDisplay(element.m_nKind, element.m_ch);
        if (group != 0 && counter == group && position < length) {
            AddGroupSep();
            counter = 0;
        }
    }
}

CString CXrNumericEdit::GetDisplayText() const {
    CString text;
    text.reserve(m_listDisplay.size());
    for (const auto& element : m_listDisplay) text += element.m_ch.View();
    return text;
}

BOOL CXrNumericEdit::IsDisplayEmpty() const { return GetDisplayText().empty() ? TRUE : FALSE; }

// Display indexes count bytes of the window text; an element is as many
// indexes wide as its character has bytes. A value position is told by its
// character, not its kind.
int CXrNumericEdit::DisplayToValue(int nDisplayIndex) const {
    int index = 0;
    int count = 0;
    for (const auto& element : m_listDisplay) {
        const int size = element.m_ch.Size();
        if (nDisplayIndex >= index && nDisplayIndex < index + size) return count;
        index += size;
        if (IsValueChar(element.m_ch.Byte()) && element.m_ch.Size() == 1) ++count;
    }
    return nDisplayIndex == index ? count : -1;
}

int CXrNumericEdit::ValueToDisplay(int nValueIndex) const {
    int index = 0;
    int counter = -1;
    int afterLast = 0;
    for (const auto& element : m_listDisplay) {
        const bool isValue = IsValueChar(element.m_ch.Byte()) && element.m_ch.Size() == 1;
        if (isValue) ++counter;
        if (nValueIndex == counter) return index;
        index += element.m_ch.Size();
        if (isValue) afterLast = index;
    }
    return nValueIndex < counter ? -1 : afterLast;
}

BOOL CXrNumericEdit::IsShowing(const CString& display) {
    // Asked of the edit underneath: this control's own answer is the plain number.
    const auto length = static_cast<int>(DefWindowProc(WM_GETTEXTLENGTH, 0, 0));
    if (length != display.GetLength()) return FALSE;
    CString shown(static_cast<std::size_t>(length) + 1, '\0');
    DefWindowProc(WM_GETTEXT, static_cast<WPARAM>(length) + 1, reinterpret_cast<LPARAM>(shown.data()));
    return shown.compare(0, static_cast<std::size_t>(length), display) == 0 ? TRUE : FALSE;
}

void CXrNumericEdit::Refresh(int nCaret) {
    if (!::IsWindow(m_hWnd)) return;
    // Within one message, writing again what an earlier write of the same
    // message showed, from the same value and sign, would only repeat the
    // edit's change notices and with them the dialog's whole recalculation.
    // The value counts as well as the display: a minus on zero shows nothing
    // new, but the write-back that the notices bring still has to see it. The
    // caret is placed anyway, so the write's reset of the selection is not missed.
    const CString display = GetDisplayText();
    CString value = GetValueText(TRUE);
    value += m_bNegative ? '-' : '+';
    if (nCaret >= 0 && value == m_strWrittenValue && IsShowing(display)) {
        PlaceCaret(nCaret, NCC_ADVANCE);
        return;
    }
    // Writes nested in the notices (the dialog writing back) are not this message's own.
    if (m_nMessageDepth == 1) m_strWrittenValue = std::move(value);
    SetWindowText(display.c_str());
    if (nCaret >= 0) PlaceCaret(nCaret, NCC_ADVANCE);
}

void CXrNumericEdit::PlaceCaret(int nPos, int nCode) {
    if (nCode == NCC_ADVANCE && m_bAutoTab && DisplayToValue(nPos) == GetValueCount()) {
        // Behind the last value character the focus moves on to the next control.
        CWnd* parent = GetParent();
        CWnd* next = parent != nullptr ? parent->GetNextDlgTabItem(this) : nullptr;
        if (next != nullptr && next != this && next->m_hWnd != m_hWnd) next->SetFocus();
        return;
    }
    if (nCode != NCC_ADVANCE && nCode != NCC_PLACE) return;
    SendMessage(EM_SETSEL, static_cast<WPARAM>(static_cast<std::intptr_t>(nPos)), nPos);
    SendMessage(EM_SCROLLCARET);
}

COLORREF CXrNumericEdit::SetValueColor(COLORREF color) {
    const COLORREF previous = m_crText;
    m_crText = color;
    if (::IsWindow(m_hWnd)) InvalidateRect(nullptr, TRUE);
    return previous;
}

HBRUSH CXrNumericEdit::CtlColor(CDC* pDC, UINT) {
    auto brush = reinterpret_cast<HBRUSH>(Default());
    pDC->SetTextColor(m_crText);
    pDC->SetBkMode(TRANSPARENT);
    return brush;
}

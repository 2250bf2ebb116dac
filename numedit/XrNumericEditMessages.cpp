// The messages through which other code reads and writes the control: the
// outside world deals with the plain number, never with its formatted display.
#include <algorithm>
#include <cstring>

#include "XrNumericEdit.h"

CString CXrNumericEdit::GetOutsideText() const {
    const CString value = GetValueText(FALSE);
    // The test is for the full stop itself, whatever the separator is.
    const char* zero = !value.empty() && value[0] == '.' ? "0" : "";
    return CString(std::string(IsNegativeNonZero() ? "-" : "") + zero + value);
}

void CXrNumericEdit::GetValueSel(int& sv, int& ev) const {
    int start = 0;
    int end = 0;
    GetSel(start, end);
    sv = std::max(0, DisplayToValue(start));
    ev = DisplayToValue(end);
}

LRESULT CXrNumericEdit::OnSetSel(WPARAM wParam, LPARAM lParam) {
    const int requestedStart = static_cast<int>(static_cast<std::intptr_t>(wParam));
    const int requestedEnd = static_cast<int>(lParam);
    const int valueEnd = ValueToDisplay(GetValueCount());
    const int a = requestedStart == -1 ? 0 : requestedStart;
    const int b = (requestedEnd == -1 || requestedEnd >= valueEnd) ? valueEnd : requestedEnd;
    const int c = std::max(0, DisplayToValue(a));
    const int d = DisplayToValue(b);
    // Both ends on value stops: the request goes through as it came, so -1 keeps its meaning.
    if (a == ValueToDisplay(c) && b == ValueToDisplay(d)) return Default();
    SendMessage(EM_SETSEL, static_cast<WPARAM>(static_cast<std::intptr_t>(ValueToDisplay(c))), ValueToDisplay(d));
    SendMessage(EM_SCROLLCARET);
    return 0;
}

LRESULT CXrNumericEdit::OnGetText(WPARAM wParam, LPARAM lParam) {
    if (lParam == 0) return Default();
    const CString text = GetOutsideText();
    if (wParam == 0) return 0;
    const std::size_t stored = std::min<std::size_t>(text.size(), wParam - 1);
    auto* buffer = reinterpret_cast<char*>(lParam);
    std::memcpy(buffer, text.data(), stored);
    buffer[stored] = '\0';
    return static_cast<LRESULT>(stored);
}

LRESULT CXrNumericEdit::OnGetTextLength(WPARAM, LPARAM) {
    const CString text = GetValueText(FALSE);
    return text.GetLength() + (IsNegativeNonZero() ? 1 : 0) + (!text.empty() && text[0] == '.' ? 1 : 0);
}

// Each message from outside starts afresh: a rewrite is redundant only against
// a write of the same message.
LRESULT CXrNumericEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    ++m_nMessageDepth;
    const LRESULT result = CEdit::WindowProc(message, wParam, lParam);
    if (--m_nMessageDepth == 0) m_strWrittenValue.clear();
    return result;
}

LRESULT CXrNumericEdit::OnSetText(WPARAM, LPARAM lParam) {
    const char* text = lParam != 0 ? reinterpret_cast<const char*>(lParam) : "";
    // The control's own display comes back this way from Refresh: store it as it is.
    if (std::strcmp(text, GetDisplayText().c_str()) == 0) return Default();
    SetValueText(text, FALSE, TRUE);
    return 1;
}

LRESULT CXrNumericEdit::OnCopy(WPARAM, LPARAM) {
    int sv = 0;
    int ev = 0;
    GetValueSel(sv, ev);
    const CString text = GetValueText(FALSE);
    CString selected;
    if (ev > sv && sv < text.GetLength()) selected = text.substr(static_cast<std::size_t>(sv), static_cast<std::size_t>(ev - sv));
    PutClipboardText(selected);
    return 0;
}

LRESULT CXrNumericEdit::OnCut(WPARAM wParam, LPARAM lParam) {
    int sv = 0;
    int ev = 0;
    GetValueSel(sv, ev);
    OnCopy(wParam, lParam);
    DeleteRange(sv, ev);
    Refresh(ValueToDisplay(sv));
    return 0;
}

LRESULT CXrNumericEdit::OnPaste(WPARAM, LPARAM) {
    const CString clip = GetClipboardText();
    if (clip.IsEmpty()) return 0;
    int sv = 0;
    int ev = 0;
    GetValueSel(sv, ev);
    const CString old = GetValueText(FALSE);
    const std::string left = old.substr(0, std::min<std::size_t>(static_cast<std::size_t>(sv), old.size()));
    const std::string right = ev >= 0 && static_cast<std::size_t>(ev) < old.size() ? old.substr(static_cast<std::size_t>(ev)) : "";
    // A paste that keeps part of a negative number keeps its sign; one over
    // the whole value takes the sign of the pasted text.
    const char* sign = (!left.empty() || !right.empty()) && m_bNegative ? "-" : "";
    const std::string merged = sign + left + clip + right;
    if (!SetValueText(merged.c_str(), FALSE, TRUE)) SetValueText(old.c_str(), TRUE, TRUE);
    Refresh(ValueToDisplay(sv));
    return 0;
}

LRESULT CXrNumericEdit::OnClear(WPARAM, LPARAM) {
    int sv = 0;
    int ev = 0;
    GetValueSel(sv, ev);
    DeleteRange(sv, ev);
    Default();
    Refresh(ValueToDisplay(sv));
    return 0;
}

void CXrNumericEdit::PutClipboardText(CString text) {
    if (!OpenClipboard(m_hWnd)) return;
    EmptyClipboard();
    if (HGLOBAL block = GlobalAlloc(GMEM_DDESHARE, text.size() + 1)) {
        std::memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
        GlobalUnlock(block);
        SetClipboardData(CF_TEXT, block);
    }
    CloseClipboard();
}

CString CXrNumericEdit::GetClipboardText() {
    CString text;
    if (!OpenClipboard(m_hWnd)) return text;
    if (IsClipboardFormatAvailable(CF_TEXT)) {
        if (HANDLE data = GetClipboardData(CF_TEXT)) {
            auto* block = static_cast<HGLOBAL>(data);
            text = static_cast<const char*>(GlobalLock(block));
            GlobalUnlock(block);
        }
    }
    CloseClipboard();
    return text;
}

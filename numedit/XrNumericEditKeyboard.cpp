// Keys, characters and the mouse. The standard edit control never changes
// the text: every key becomes an edit of the value list or a caret placed
// on a value stop.
#include <algorithm>

#include "XrNumericEdit.h"

namespace {

enum CaretRoutine { kLeft, kRight, kHome, kEnd };

bool ShiftHeld() { return (GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0; }

}  // namespace

void CXrNumericEdit::OnKeyDown(UINT nChar, UINT, UINT) {
    if (GetStyle() & ES_READONLY) {
        Default();
        return;
    }
    switch (nChar) {
    case VK_END: MoveCaretEnd(); break;
    case VK_HOME: MoveCaretHome(); break;
    case VK_LEFT:
    case VK_UP: MoveCaretLeft(); break;
    case VK_RIGHT:
    case VK_DOWN: MoveCaretRight(); break;
    case VK_INSERT: SetInsertMode(!GetInsertMode()); break;
    case VK_DELETE: DeleteForward(); break;
    default: break;
    }
}

void CXrNumericEdit::OnChar(UINT nChar, UINT, UINT) {
    if (GetStyle() & ES_READONLY) {
        Default();
        return;
    }
    // '.' is the fraction key in every locale. The locale's own separator is
    // one too: a user who types 23,8 where ',' is the separator means 23.8, and
    // the numeric keypad's decimal key types it on such layouts. Dropping it
    // would turn that into 238, a figure wrong by a factor of ten.
    if (nChar == VK_BACK)
        DeleteBack();
    else if (nChar == '+')
        SetPositive();
    else if (nChar == '-')
        ToggleSign();
    else if (nChar >= '0' && nChar <= '9')
        TypeDigit(static_cast<char>(nChar));
    else if (nChar == '.' || nChar == static_cast<unsigned char>(m_chDecimal))
        JumpToFraction();
}

void CXrNumericEdit::DeleteForward() {
    int start = 0;
    int end = 0;
    GetSel(start, end);
    if (start == end) {
        const int v = DisplayToValue(start);
        DeleteRange(v, v + 1);
        Refresh(start);
        return;
    }
    if (DeleteRange(DisplayToValue(start), DisplayToValue(end)) != 0) Refresh(start);
}

void CXrNumericEdit::TypeDigit(char ch) {
    int start = 0;
    int end = 0;
    GetSel(start, end);
    const int v = DisplayToValue(start);
    if (start == end) {
        // A placeholder under the caret is replaced even in insert mode.
        const BOOL bReplace = !m_bInsertMode || IsPlaceholderAt(v);
        if (bReplace && !IsDigitOrPlaceholderAt(v)) {
            // Overwriting in front of the separator or behind the end: nothing to replace, the caret moves on.
            Refresh(ValueToDisplay(v + 1));
            return;
        }
        const CString typed = TypedText(v, ch, bReplace);
        const int r = bReplace ? OverwriteAt(v, ch) : InsertAt(v, ch);
        Refresh(r >= 0 ? ValueToDisplay(StopBehindTyped(typed, r)) : start);
        return;
    }
    if (v < 0 || v >= GetValueCount()) return;
    // The digit goes in front of the selection, whatever the insert mode; the
    // old selection's value indexes are then one further on.
    m_listValue.insert(m_listValue.begin() + v, CXrNumericData(NDK_DIGIT, ch));
    const int from = DisplayToValue(start) + 1;
    const int to = DisplayToValue(end) + 1;
    const CString typed = TextWithout(from, to);
    if (DeleteRange(from, to) != 0) Refresh(ValueToDisplay(StopBehindTyped(typed, v)));
}

void CXrNumericEdit::JumpToFraction() {
    const auto separator = std::find_if(m_listValue.begin(), m_listValue.end(), [](const auto& e) { return e.IsKind(NDK_DECIMAL); });
    const int k = static_cast<int>(separator - m_listValue.begin());
    if (k < GetValueCount()) PlaceCaret(ValueToDisplay(k + 1), NCC_ADVANCE);
}

void CXrNumericEdit::SetPositive() { ChangeSign(FALSE); }

void CXrNumericEdit::ToggleSign() { ChangeSign(!m_bNegative); }

void CXrNumericEdit::ChangeSign(BOOL bNegative) {
    // Nothing is parsed: the sign or brackets come and go around the number
    // while the caret keeps its value index.
    int start = 0;
    int end = 0;
    GetSel(start, end);
    m_bNegative = bNegative;
    const int v = DisplayToValue(start);
    ComposeDisplay();
    ApplyValueColor();
    Refresh(ValueToDisplay(v));
}

void CXrNumericEdit::DeleteBack() {
    int start = 0;
    int end = 0;
    GetSel(start, end);
    const int sv = DisplayToValue(start);
    const int ev = DisplayToValue(end);
    if (sv == ev) {
        DeleteRange(sv - 1, sv);
        Refresh(ValueToDisplay(sv - 1));
        return;
    }
    if (DeleteRange(sv, ev) != 0) Refresh(ValueToDisplay(sv));
}

void CXrNumericEdit::MoveCaretLeft() {
    if (ShiftHeld()) return ExtendSelection(kLeft);
    int sv = 0;
    int ev = 0;
    GetValueSel(sv, ev);
    PlaceCaret(ValueToDisplay(sv - 1), NCC_PLACE);
}

void CXrNumericEdit::MoveCaretRight() {
    if (ShiftHeld()) return ExtendSelection(kRight);
    int sv = 0;
    int ev = 0;
    GetValueSel(sv, ev);
    PlaceCaret(ValueToDisplay(sv + 1), NCC_ADVANCE);
}

void CXrNumericEdit::MoveCaretHome() {
    if (ShiftHeld()) return ExtendSelection(kHome);
    PlaceCaret(ValueToDisplay(0), NCC_ADVANCE);
}

void CXrNumericEdit::MoveCaretEnd() {
    if (ShiftHeld()) return ExtendSelection(kEnd);
    PlaceCaret(ValueToDisplay(GetValueCount()), NCC_ADVANCE);
}

void CXrNumericEdit::ExtendSelection(int nRoutine) {
    int sv = 0;
    int ev = 0;
    GetValueSel(sv, ev);
    // The caret shows the moving end; the other end is the anchor.
    const bool caretAtStart = DisplayToValue(CharFromPos(GetCaretPos())) == sv;
    int target = 0;
    switch (nRoutine) {
    case kLeft: target = caretAtStart ? (sv = std::max(sv - 1, 0)) : --ev; break;
    case kRight: target = caretAtStart ? ++sv : ++ev; break;
    case kHome:
        if (!caretAtStart) ev = sv;
        sv = 0;
        target = 0;
        break;
    default:
        if (caretAtStart) sv = ev;
        ev = GetValueCount();
        target = ev;
        break;
    }
    const CPoint targetPos = PosFromChar(static_cast<UINT>(ValueToDisplay(target)));
    SendMessage(EM_SETSEL, static_cast<WPARAM>(static_cast<std::intptr_t>(ValueToDisplay(sv))), ValueToDisplay(ev));
    SendMessage(EM_SCROLLCARET);
    const bool towardsStart = nRoutine == kLeft || nRoutine == kHome;
    const CPoint caret = GetCaretPos();
    const int x = targetPos.x > 0 ? targetPos.x : (towardsStart ? 1 : caret.x);
    const int y = targetPos.y > 0 ? targetPos.y : (towardsStart ? 1 : caret.y);
    SetCaretPos({x, y});
}

void CXrNumericEdit::OnSetFocus(CWnd*) {
    Default();
    int start = 0;
    int end = 0;
    GetSel(start, end);
    if (DisplayToValue(start) == 0 && DisplayToValue(end) == GetWindowTextLength()) PlaceCaret(0, NCC_ADVANCE);
}

int CXrNumericEdit::ValueStopAt(CPoint point) const { return ValueToDisplay(std::max(0, DisplayToValue(CharFromPos(point)))); }

void CXrNumericEdit::OnLButtonDown(UINT, CPoint point) {
    Default();
    const int stop = ValueStopAt(point);
    SendMessage(EM_SETSEL, static_cast<WPARAM>(stop), stop);
    SendMessage(EM_SCROLLCARET);
    m_nMouseAnchor = stop;
}

void CXrNumericEdit::OnLButtonUp(UINT, CPoint) {
    Default();
    m_nMouseAnchor = -1;
}

void CXrNumericEdit::OnLButtonDblClk(UINT, CPoint) {
    SendMessage(EM_SETSEL, static_cast<WPARAM>(ValueToDisplay(0)), ValueToDisplay(GetValueCount()));
    SendMessage(EM_SCROLLCARET);
}

void CXrNumericEdit::OnMouseMove(UINT nFlags, CPoint point) {
    // The standard control never drag-selects; only an anchored drag does.
    if (!(nFlags & MK_LBUTTON) || m_nMouseAnchor == -1) return;
    CRect client;
    GetClientRect(&client);
    if (!client.PtInRect(point)) return;
    const int stop = ValueStopAt(point);
    SendMessage(EM_SETSEL, static_cast<WPARAM>(m_nMouseAnchor), stop);
    SendMessage(EM_SCROLLCARET);
    if (stop == ValueToDisplay(GetValueCount())) {
        SetCaretPos({GetCaretPos().x, 1});
        return;
    }
    const int x = PosFromChar(static_cast<UINT>(stop)).x;
    SetCaretPos({x < 0 ? 1 : x, 1});
}

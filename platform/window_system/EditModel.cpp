#include "EditModel.h"

#include <algorithm>

namespace {

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// Words are runs of letters, digits and any non-ASCII character (so a run of
// Chinese text counts as one word, as it does for a user of the original).
bool IsWordByte(unsigned char c) { return c >= 0x80 || (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }

}  // namespace

std::string EditModel::SelectedText() const { return m_text.substr(SelStart(), SelEnd() - SelStart()); }

int EditModel::SnapToBoundary(int pos) const {
    pos = std::clamp(pos, 0, Length());
    while (pos > 0 && pos < Length() && IsContinuation(static_cast<unsigned char>(m_text[pos]))) --pos;
    return pos;
}

int EditModel::PrevBoundary(int pos) const {
    if (pos <= 0) return 0;
    --pos;
    while (pos > 0 && IsContinuation(static_cast<unsigned char>(m_text[pos]))) --pos;
    return pos;
}

int EditModel::NextBoundary(int pos) const {
    if (pos >= Length()) return Length();
    ++pos;
    while (pos < Length() && IsContinuation(static_cast<unsigned char>(m_text[pos]))) ++pos;
    return pos;
}

int EditModel::WordStartBefore(int pos) const {
    pos = SnapToBoundary(pos);
    while (pos > 0 && !IsWordByte(static_cast<unsigned char>(m_text[PrevBoundary(pos)]))) pos = PrevBoundary(pos);
    while (pos > 0 && IsWordByte(static_cast<unsigned char>(m_text[PrevBoundary(pos)]))) pos = PrevBoundary(pos);
    return pos;
}

int EditModel::WordEndAfter(int pos) const {
    pos = SnapToBoundary(pos);
    while (pos < Length() && IsWordByte(static_cast<unsigned char>(m_text[pos]))) pos = NextBoundary(pos);
    while (pos < Length() && !IsWordByte(static_cast<unsigned char>(m_text[pos]))) pos = NextBoundary(pos);
    return pos;
}

void EditModel::SetText(std::string_view text) {
    m_text.assign(text);
    m_anchor = m_caret = 0;
    m_hasUndo = false;
    m_typingRun = false;
}

void EditModel::SetSel(int start, int end) {
    if (start == -1) {
        m_anchor = m_caret;
        m_typingRun = false;
        return;
    }
    // The positions are unsigned on the platform: any other negative one is
    // past the end, as -1 for the end is.
    m_anchor = SnapToBoundary(start < 0 ? Length() : start);
    m_caret = SnapToBoundary(end < 0 ? Length() : end);
    m_typingRun = false;
}

void EditModel::RecordUndo(bool typing) {
    if (typing && m_typingRun) return;
    m_undoText = m_text;
    m_undoPosition = SelStart();
    m_hasUndo = true;
}

void EditModel::ReplaceSelection(std::string_view text, bool typing) {
    if (!HasSelection() && text.empty()) return;
    if (typing && HasSelection()) m_typingRun = false;
    RecordUndo(typing);
    const int start = SelStart();
    m_text.replace(start, SelEnd() - start, text);
    m_anchor = m_caret = start + static_cast<int>(text.size());
    m_typingRun = typing;
}

void EditModel::DeleteBack() {
    if (!HasSelection()) {
        if (m_caret == 0) return;
        m_anchor = PrevBoundary(m_caret);
    }
    ReplaceSelection({});
}

void EditModel::DeleteForward() {
    if (!HasSelection()) {
        if (m_caret == Length()) return;
        m_anchor = m_caret;
        m_caret = NextBoundary(m_caret);
    }
    ReplaceSelection({});
}

// As the standard edit undoes: what comes back is selected, and the undo can
// itself be undone. With nothing to undo, the caret goes to where the last
// change was made.
bool EditModel::Undo() {
    m_typingRun = false;
    if (!m_hasUndo) {
        m_anchor = m_caret = SnapToBoundary(std::min(m_undoPosition, Length()));
        return false;
    }
    std::swap(m_text, m_undoText);
    const std::string& before = m_undoText;
    const std::size_t shorter = std::min(before.size(), m_text.size());
    std::size_t prefix = 0;
    while (prefix < shorter && before[prefix] == m_text[prefix]) ++prefix;
    std::size_t suffix = 0;
    while (suffix < shorter - prefix && before[before.size() - 1 - suffix] == m_text[m_text.size() - 1 - suffix]) ++suffix;
    m_undoPosition = SnapToBoundary(static_cast<int>(prefix));
    m_anchor = m_undoPosition;
    m_caret = std::max(m_anchor, SnapToBoundary(static_cast<int>(m_text.size() - suffix)));
    return true;
}

void EditModel::MoveTo(int pos, bool extend) {
    m_caret = SnapToBoundary(pos);
    if (!extend) m_anchor = m_caret;
    m_typingRun = false;
}

// The arrows step from the caret, whichever end of a selection it is at,
// and without Shift leave no selection behind: the standard edit's way.
void EditModel::MoveLeft(bool extend, bool byWord) { MoveTo(byWord ? WordStartBefore(m_caret) : PrevBoundary(m_caret), extend); }

void EditModel::MoveRight(bool extend, bool byWord) { MoveTo(byWord ? WordEndAfter(m_caret) : NextBoundary(m_caret), extend); }

void EditModel::MoveHome(bool extend) { MoveTo(0, extend); }
void EditModel::MoveEnd(bool extend) { MoveTo(Length(), extend); }

void EditModel::SelectWordAt(int pos) {
    pos = SnapToBoundary(pos);
    int start = pos;
    int end = pos;
    const auto word = [&](int p) { return IsWordByte(static_cast<unsigned char>(m_text[p])); };
    if (pos < Length() && word(pos)) {
        while (start > 0 && word(PrevBoundary(start))) start = PrevBoundary(start);
        while (end < Length() && word(end)) end = NextBoundary(end);
    } else if (pos > 0 && word(PrevBoundary(pos))) {
        while (start > 0 && word(PrevBoundary(start))) start = PrevBoundary(start);
    } else if (pos < Length()) {
        end = NextBoundary(pos);
    }
    m_anchor = start;
    m_caret = end;
    m_typingRun = false;
}

// Text, selection and undo of a single-line edit field, with no window.
// Positions count UTF-8 bytes; no operation leaves one inside a character.
#pragma once

#include <string>
#include <string_view>

class EditModel {
public:
    const std::string& Text() const { return m_text; }
    int Length() const { return static_cast<int>(m_text.size()); }
    int Anchor() const { return m_anchor; }
    int Caret() const { return m_caret; }
    int SelStart() const { return m_anchor < m_caret ? m_anchor : m_caret; }
    int SelEnd() const { return m_anchor < m_caret ? m_caret : m_anchor; }
    bool HasSelection() const { return m_anchor != m_caret; }
    std::string SelectedText() const;

    // Replaces the whole text, as a window-text write does: caret to the
    // start, nothing to undo.
    void SetText(std::string_view text);
    // Selection as the edit messages ask for it: start -1 collapses onto the
    // caret, end -1 means the end of the text; the caret goes to `end`.
    void SetSel(int start, int end);
    void SelectAll() { SetSel(0, -1); }

    // Every change of the text goes through here. `typing` lets a run of
    // typed characters merge into one undo step.
    void ReplaceSelection(std::string_view text, bool typing = false);
    void DeleteBack();
    void DeleteForward();
    bool CanUndo() const { return m_hasUndo; }
    // Undo swaps the text with the undo record, so a second undo redoes.
    bool Undo();

    void MoveLeft(bool extend, bool byWord);
    void MoveRight(bool extend, bool byWord);
    void MoveHome(bool extend);
    void MoveEnd(bool extend);
    void MoveTo(int pos, bool extend);
    void SelectWordAt(int pos);

    int PrevBoundary(int pos) const;
    int NextBoundary(int pos) const;
    int SnapToBoundary(int pos) const;
    int WordStartBefore(int pos) const;
    int WordEndAfter(int pos) const;

private:
    void RecordUndo(bool typing);

    std::string m_text;
    int m_anchor = 0;
    int m_caret = 0;
    std::string m_undoText;
    int m_undoPosition = 0;  // where the change an undo takes back was made
    bool m_hasUndo = false;
    bool m_typingRun = false;
};

// The standard single-line edit control: decodes messages and calls the edit
// model; layout in pixels comes from the back end's text metrics.
#pragma once

#include "EditModel.h"
#include "WindowState.h"

class EditControl : public StandardProcedure {
public:
    LRESULT Handle(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) override;

    const EditModel& Model() const { return m_model; }
    bool Focused() const { return m_focused; }
    // Client x of the left edge of the character at `index` (any index up to the length).
    int XOfIndex(HWND hWnd, int index) const;
    int TextTop(HWND hWnd) const;
    int LineHeight() const;
    int CharFromX(HWND hWnd, int x) const;

private:
    void OnChar(HWND hWnd, UINT ch);
    void OnKeyDown(HWND hWnd, UINT vk);
    void OnDeleteKey(HWND hWnd, bool shift, bool ctrl);
    void OnLButtonDown(HWND hWnd, WPARAM flags, Point point);
    void OnMouseMove(HWND hWnd, WPARAM flags, Point point);
    void OnContextMenu(HWND hWnd, LPARAM where);
    void OnSetFocus(HWND hWnd);
    void OnKillFocus(HWND hWnd);
    void OnCopy(HWND hWnd);
    void OnPaste(HWND hWnd);
    void OnClear(HWND hWnd);
    void Replace(HWND hWnd, std::string_view text, bool typing);
    // After the text changed: keep the caret in view, then tell the parent.
    void TextChanged(HWND hWnd);
    void SelectionChanged(HWND hWnd);
    void ScrollToCaret(HWND hWnd);
    bool ReadOnly(HWND hWnd) const;

    EditModel m_model;
    int m_scrollX = 0;
    bool m_focused = false;
};

// The edit control behind a window, or null for other windows.
EditControl* EditControlOf(HWND hWnd);

// The dialog manager: the standard procedure of dialog windows, keyboard
// navigation between controls, and building a dialog from its template.
#pragma once

#include "Resources.h"
#include "WindowState.h"

class DialogProcedure : public StandardProcedure {
public:
    LRESULT Handle(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) override;
};

// Handles the keys a dialog takes for itself (Tab, Enter, Escape, Alt+Space,
// F1) before the focused control sees them; true when the key was used.
bool IsDialogKey(HWND hDlg, UINT vk);
// Creates the dialog window and its controls from a template; the window is
// not yet visible and its controls carry the dialog's font.
HWND CreateDialogWindow(const DialogTemplate& dialogTemplate, HWND owner);
// Pixels for dialog units, from the dialog font's base units.
Rect DialogUnitsToPixels(short x, short y, short cx, short cy);
// Frame around a dialog's client area: the caption on top and a border on each side.
Rect DialogFrameInset(DWORD style);

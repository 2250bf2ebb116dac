// What every window does with a message nobody handled: the common ground
// under the edit, static, button and dialog procedures.
#pragma once

#include <string>

#include "Geometry.h"

// WM_GETTEXT's answer: as much of `text` as fits in the buffer, with its zero.
LRESULT CopyWindowText(const std::string& text, WPARAM bufferSize, LPARAM buffer);
// Tells the parent about a change, as WM_COMMAND with the control's id.
void NotifyParent(HWND hWnd, UINT code);

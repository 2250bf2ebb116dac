// Turns a user's keys and mouse actions into window messages, as the
// platform's message loop would: menus and the dialog manager see keys
// first, the mouse goes to the window under it or to the capture.
#pragma once

#include "Win32Types.h"

namespace Input {

// True when a menu or the dialog manager used the key, so no character follows it.
bool KeyDown(UINT vk);
void KeyUp(UINT vk);
// A typed character, as a Unicode code point.
void Char(UINT codePoint);
void MouseDown(CPoint screen, bool rightButton, bool doubleClick);
void MouseUp(CPoint screen, bool rightButton);
void MouseMove(CPoint screen);
// The window that takes mouse input at a point: transparent statics and
// group boxes let it through, disabled controls give it to their dialog.
HWND WindowFromPoint(CPoint screen);
// Where `vk` pressed with the current modifiers types a character, that character; otherwise 0.
UINT CharForKey(UINT vk, bool shift, bool ctrl, bool alt);

}  // namespace Input

// Turns a user's keys and mouse actions into queued input messages, as the
// platform does: keys go to the focus, the mouse to the window under it or
// to the capture. The program's message loop takes them from the queue.
#pragma once

#include "Geometry.h"

namespace Input {

// A key press, and the character translating it gives (0 for none): that
// character follows the key unless a menu or the dialog manager uses the key.
void KeyDown(UINT vk, UINT translatedChar = 0);
void KeyUp(UINT vk);
// A typed character, as a Unicode code point.
void Char(UINT codePoint);
void MouseDown(Point screen, bool rightButton, bool doubleClick);
void MouseUp(Point screen, bool rightButton);
void MouseMove(Point screen);
// The wheel turned by `delta` (WHEEL_DELTA a notch, away from the user positive):
// it goes to the focus, whose parents get what it leaves.
void MouseWheel(Point screen, int delta);
// The window that takes mouse input at a point: transparent statics and
// group boxes let it through, disabled controls give it to their dialog.
HWND WindowFromPoint(Point screen);
// Where `vk` pressed with the current modifiers types a character, that character; otherwise 0.
UINT CharForKey(UINT vk, bool shift, bool ctrl, bool alt);

}  // namespace Input

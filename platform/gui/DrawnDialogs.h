// What a back end that draws the dialogs itself, on one surface, keeps and
// decides alike, the window's and the page's: which part of the surface is
// due to be drawn anew, and what the pointer does on an open menu and on a
// dialog's caption (the icon opens the system menu; the close box closes
// when the button comes up on it).
#pragma once

#include "../window_system/Backend.h"
#include "../window_system/Geometry.h"

class DrawnDialogs {
public:
    // A frame is due that draws `area` (surface coordinates) anew, or all of it.
    void Repaint(const Rect& area);
    void RepaintAll();
    // A window changed, on the surface whose top-left is `origin` on the screen.
    void Invalidate(HWND hWnd, Point origin);
    // The caret blinked.
    void RepaintCaret(Point origin);
    // Whether a frame is due, and what it draws anew: null for everything.
    bool Due() const { return m_due; }
    const Rect* DueArea() const { return m_all ? nullptr : &m_area; }
    // The due part is drawn; the frame is shown.
    void Drawn();
    void Shown() { m_due = false; }

    // The caret keeps still while the user types or clicks, then blinks again from then.
    void KeepCaretShown() { m_caretEpoch = GetTickCount(); }
    // While the caret blinks (`blinking`), it turns on or off as its time says and the
    // frame due draws it so; the milliseconds until it turns next, or -1 when it does not blink.
    int BlinkCaret(bool blinking, Point origin);
    bool CaretShown() const { return m_caretShown; }

    // A button's press or release at a screen point: true when an open menu
    // or a dialog's caption took it, false when it is the windows' to have.
    bool OnButton(const Backend& backend, Point screen, bool down, bool right);
    // A move: true when an open menu took it.
    bool OnMove(const Backend& backend, Point screen);
    // The caption whose close box is held down, which is drawn pressed.
    HWND ClosePressed() const { return m_closePressed; }

private:
    bool OnCaption(const Backend& backend, Point screen, bool down);

    bool m_due = true;
    bool m_all = true;
    Rect m_area;
    HWND m_closePressed = nullptr;
    DWORD m_caretEpoch = 0;
    bool m_caretShown = true;
};

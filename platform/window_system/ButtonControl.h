// The standard button: push buttons (with the default one), automatic radio
// buttons and group boxes.
#pragma once

#include "WindowState.h"

class ButtonControl : public StandardProcedure {
public:
    LRESULT Handle(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) override;
    bool Pressed() const { return m_pressed; }
    bool Checked() const { return m_checked; }
    bool Focused() const { return m_focused; }

private:
    void Click(HWND hWnd);

    bool m_pressed = false;
    bool m_checked = false;
    bool m_focused = false;
};

ButtonControl* ButtonControlOf(HWND hWnd);

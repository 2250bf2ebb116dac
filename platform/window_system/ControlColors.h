// The colours a control's text is drawn in, as its parent (or the control
// itself, through reflection) sets them for WM_CTLCOLOR*.
#pragma once

#include "Geometry.h"

struct ControlColors {
    COLORREF text;
    COLORREF background;
    bool transparent;
};

ControlColors QueryControlColors(HWND hWnd);

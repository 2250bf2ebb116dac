// Drawing contexts: the text colour and background mode a control's parent
// sets through WM_CTLCOLOR*, and the surface a paint handler draws on.
#pragma once

#include <cstdint>
#include <string_view>

#include "Geometry.h"

// A back end's drawing surface, in pixels of the top-level window.
class Canvas {
public:
    virtual ~Canvas() = default;
    virtual void FillRect(const Rect& rect, COLORREF color) = 0;
    virtual void DrawText(int x, int y, std::string_view utf8, COLORREF color) = 0;
    // Pixels as 0xAARRGGBB; alpha 0 leaves the surface as it was.
    virtual void DrawPixels(int x, int y, int width, int height, const std::uint32_t* argb) = 0;
    // Limits drawing to a rectangle; null lifts the limit.
    virtual void SetClip(const Rect* rect) = 0;
};

struct HBRUSH__ {
    COLORREF color;
};
using BrushObject = HBRUSH__;

struct HFONT__ {
    const char* face;
    int pointSize;
};
using FontObject = HFONT__;

struct HDC__ {
    HWND hWnd = nullptr;
    Canvas* canvas = nullptr;  // null where nothing is drawn (the headless back end)
    Point origin;              // the window's client origin on the canvas
    COLORREF textColor = 0;
    COLORREF bkColor = RGB(255, 255, 255);
    int bkMode = OPAQUE;
    HGDIOBJ selected = nullptr;  // the font selected in, which measuring takes as the one font there is
};
using DeviceContext = HDC__;

// The surface a renderer lends to paint handlers while it paints one window.
void SetPaintCanvas(Canvas* canvas, Point origin);

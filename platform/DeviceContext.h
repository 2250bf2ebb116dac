// Drawing contexts: the text colour and background mode a control's parent
// sets through WM_CTLCOLOR*, and the surface a paint handler draws on.
#pragma once

#include <cstdint>
#include <string_view>

#include "Win32Types.h"

class CWnd;

// A back end's drawing surface, in pixels of the top-level window.
class Canvas {
public:
    virtual ~Canvas() = default;
    virtual void FillRect(const CRect& rect, COLORREF color) = 0;
    virtual void DrawText(int x, int y, std::string_view utf8, COLORREF color) = 0;
    // Pixels as 0xAARRGGBB; alpha 0 leaves the surface as it was.
    virtual void DrawPixels(int x, int y, int width, int height, const std::uint32_t* argb) = 0;
    // Limits drawing to a rectangle; null lifts the limit.
    virtual void SetClip(const CRect* rect) = 0;
};

struct BrushObject {
    COLORREF color;
};

struct FontObject {
    const char* face;
    int pointSize;
};

struct DeviceContext {
    HWND hWnd = nullptr;
    Canvas* canvas = nullptr;  // null where nothing is drawn (the headless back end)
    CPoint origin;             // the window's client origin on the canvas
    COLORREF textColor = 0;
    COLORREF bkColor = RGB(255, 255, 255);
    int bkMode = OPAQUE;
};

class CDC {
public:
    HDC m_hDC = nullptr;
    static CDC* FromHandle(HDC hDC);
    HDC GetSafeHdc() const { return m_hDC; }
    COLORREF SetTextColor(COLORREF color);
    int SetBkMode(int mode);
    BOOL DrawIcon(int x, int y, HICON hIcon);

protected:
    CDC() = default;
    friend struct DeviceContextWrapper;
};

// Opens painting of a window for the length of a paint handler.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC();
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

private:
    DeviceContext m_context;
};

// The surface a renderer lends to paint handlers while it paints one window.
void SetPaintCanvas(Canvas* canvas, CPoint origin);

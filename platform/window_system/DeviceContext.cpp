#include "DeviceContext.h"

#include <list>

namespace {
Canvas* g_paintCanvas = nullptr;
Point g_paintOrigin;
// Contexts handed out by BeginPaint until their EndPaint.
std::list<DeviceContext> g_paintContexts;
}  // namespace

void SetPaintCanvas(Canvas* canvas, Point origin) {
    g_paintCanvas = canvas;
    g_paintOrigin = origin;
}

HDC WINAPI BeginPaint(HWND hWnd, PAINTSTRUCT* paint) {
    DeviceContext& dc = g_paintContexts.emplace_back();
    dc.hWnd = hWnd;
    dc.canvas = g_paintCanvas;
    dc.origin = g_paintOrigin;
    if (paint != nullptr) {
        *paint = PAINTSTRUCT{};
        paint->hdc = &dc;
        GetClientRect(hWnd, &paint->rcPaint);
    }
    return &dc;
}

BOOL WINAPI EndPaint(HWND, const PAINTSTRUCT* paint) {
    if (paint == nullptr) return FALSE;
    std::erase_if(g_paintContexts, [paint](const DeviceContext& dc) { return &dc == paint->hdc; });
    return TRUE;
}

COLORREF WINAPI SetTextColor(HDC hDC, COLORREF color) {
    if (hDC == nullptr) return 0;
    const COLORREF old = hDC->textColor;
    hDC->textColor = color;
    return old;
}

int WINAPI SetBkMode(HDC hDC, int mode) {
    if (hDC == nullptr) return 0;
    const int old = hDC->bkMode;
    hDC->bkMode = mode;
    return old;
}

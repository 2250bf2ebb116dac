#include "DeviceContext.h"

#include <list>
#include <string_view>

#include "WindowManager.h"

namespace {
Canvas* g_paintCanvas = nullptr;
Point g_paintOrigin;
// Contexts handed out by BeginPaint until their EndPaint, and by GetDC until ReleaseDC.
std::list<DeviceContext> g_paintContexts;
std::list<DeviceContext> g_windowContexts;
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

// A window's context outside painting: it measures and keeps colours, and draws nothing.
HDC WINAPI GetDC(HWND hWnd) {
    if (hWnd != nullptr && !IsWindow(hWnd)) return nullptr;
    DeviceContext& dc = g_windowContexts.emplace_back();
    dc.hWnd = hWnd;
    return &dc;
}

int WINAPI ReleaseDC(HWND, HDC hDC) {
    const auto before = g_windowContexts.size();
    std::erase_if(g_windowContexts, [hDC](const DeviceContext& dc) { return &dc == hDC; });
    return g_windowContexts.size() != before ? 1 : 0;
}

HGDIOBJ WINAPI SelectObject(HDC hDC, HGDIOBJ object) {
    if (hDC == nullptr) return nullptr;
    const HGDIOBJ old = hDC->selected;
    hDC->selected = object;
    return old;
}

COLORREF WINAPI GetTextColor(HDC hDC) { return hDC != nullptr ? hDC->textColor : 0; }

BOOL WINAPI GetTextExtentPoint32A(HDC hDC, LPCSTR text, int length, SIZE* size) {
    if (hDC == nullptr || size == nullptr || length < 0 || (text == nullptr && length > 0)) return FALSE;
    const TextMetrics& metrics = WindowManager::Instance().Metrics();
    size->cx = metrics.TextWidth(std::string_view(text, static_cast<std::size_t>(length)));
    size->cy = metrics.Height();
    return TRUE;
}

// The page's <canvas> as the renderer's canvas: each call is a Canvas 2D call.
#pragma once

#include "../window_system/DeviceContext.h"

class BrowserFont;

class CanvasContext : public Canvas {
public:
    explicit CanvasContext(const BrowserFont& font) : m_font(font) {}
    void FillRect(const Rect& rect, COLORREF color) override;
    void DrawText(int x, int y, std::string_view utf8, COLORREF color) override;
    void DrawPixels(int x, int y, int width, int height, const std::uint32_t* argb) override;
    void SetClip(const Rect* rect) override;
    // The canvas's size in device pixels, and in CSS pixels at the page's ratio.
    static void Resize(int width, int height);

private:
    const BrowserFont& m_font;
};

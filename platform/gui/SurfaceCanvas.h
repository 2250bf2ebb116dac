// A drawing surface in memory (32-bit ARGB) with text from the dialog font.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

#include "../window_system/DeviceContext.h"

struct SDL_Surface;
class DialogFont;

class SurfaceCanvas : public Canvas {
public:
    // `format` is an SDL pixel format of 32 bits with 8-bit red, green and blue
    // in that order from the top (ARGB or XRGB): the window's own, so that
    // frames copy out unconverted.
    SurfaceCanvas(int width, int height, const DialogFont& font, std::uint32_t format = kArgb);
    static constexpr std::uint32_t kArgb = 0x16362004;  // SDL_PIXELFORMAT_ARGB8888
    static constexpr std::uint32_t kXrgb = 0x16161804;  // SDL_PIXELFORMAT_RGB888
    // Draws straight into `target` (of either format above), which stays its owner's.
    SurfaceCanvas(SDL_Surface* target, const DialogFont& font);
    ~SurfaceCanvas() override;
    SurfaceCanvas(const SurfaceCanvas&) = delete;
    SurfaceCanvas& operator=(const SurfaceCanvas&) = delete;

    void FillRect(const Rect& rect, COLORREF color) override;
    void DrawText(int x, int y, std::string_view utf8, COLORREF color) override;
    void DrawPixels(int x, int y, int width, int height, const std::uint32_t* argb) override;
    void SetClip(const Rect* rect) override;

    SDL_Surface* Surface() const { return m_surface; }
    int Width() const;
    int Height() const;
    std::uint32_t PixelAt(int x, int y) const;

private:
    SDL_Surface* m_surface;
    bool m_ownsSurface = true;
    const DialogFont& m_font;
};

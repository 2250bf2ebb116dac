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
    SurfaceCanvas(int width, int height, const DialogFont& font);
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
    // The rendered text, by colour and string: a frame that changes one field
    // renders one string anew, and the rest are copies.
    SDL_Surface* RenderedText(const std::string& text, COLORREF color);

    SDL_Surface* m_surface;
    const DialogFont& m_font;
    std::unordered_map<std::string, SDL_Surface*> m_textCache;
};

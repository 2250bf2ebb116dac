#include "SurfaceCanvas.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <stdexcept>
#include <string>

#include "DialogFont.h"

SurfaceCanvas::SurfaceCanvas(int width, int height, const DialogFont& font)
    : m_surface(SDL_CreateRGBSurfaceWithFormat(0, std::max(1, width), std::max(1, height), 32, SDL_PIXELFORMAT_ARGB8888)), m_font(font) {
    if (m_surface == nullptr) throw std::runtime_error(std::string("cannot make a drawing surface: ") + SDL_GetError());
}

SurfaceCanvas::~SurfaceCanvas() { SDL_FreeSurface(m_surface); }

int SurfaceCanvas::Width() const { return m_surface->w; }
int SurfaceCanvas::Height() const { return m_surface->h; }

std::uint32_t SurfaceCanvas::PixelAt(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_surface->w || y >= m_surface->h) return 0;
    return static_cast<const std::uint32_t*>(m_surface->pixels)[y * (m_surface->pitch / 4) + x];
}

void SurfaceCanvas::FillRect(const CRect& rect, COLORREF color) {
    SDL_Rect r{rect.left, rect.top, rect.Width(), rect.Height()};
    if (r.w <= 0 || r.h <= 0) return;
    SDL_FillRect(m_surface, &r, SDL_MapRGB(m_surface->format, GetRValue(color), GetGValue(color), GetBValue(color)));
}

void SurfaceCanvas::DrawText(int x, int y, std::string_view utf8, COLORREF color) {
    if (utf8.empty()) return;
    const std::string text(utf8);
    const SDL_Color c{GetRValue(color), GetGValue(color), GetBValue(color), 255};
    // At the original's size the face's own bitmaps draw crisp; scaled up, smooth outlines read better.
    SDL_Surface* glyphs = m_font.Scale() <= 1.0 ? TTF_RenderUTF8_Solid(m_font.Font(), text.c_str(), c)
                                                : TTF_RenderUTF8_Blended(m_font.Font(), text.c_str(), c);
    if (glyphs == nullptr) return;
    SDL_Rect at{x, y, glyphs->w, glyphs->h};
    SDL_BlitSurface(glyphs, nullptr, m_surface, &at);
    SDL_FreeSurface(glyphs);
}

void SurfaceCanvas::DrawPixels(int x, int y, int width, int height, const std::uint32_t* argb) {
    SDL_Rect clip;
    SDL_GetClipRect(m_surface, &clip);
    auto* pixels = static_cast<std::uint32_t*>(m_surface->pixels);
    const int pitch = m_surface->pitch / 4;
    for (int row = 0; row < height; ++row) {
        const int ty = y + row;
        if (ty < clip.y || ty >= clip.y + clip.h) continue;
        for (int col = 0; col < width; ++col) {
            const int tx = x + col;
            if (tx < clip.x || tx >= clip.x + clip.w) continue;
            const std::uint32_t source = argb[row * width + col];
            const std::uint32_t alpha = source >> 24;
            if (alpha == 0) continue;
            std::uint32_t& target = pixels[ty * pitch + tx];
            if (alpha == 255) {
                target = source;
                continue;
            }
            const auto mix = [&](int shift) {
                const std::uint32_t s = (source >> shift) & 0xFF;
                const std::uint32_t t = (target >> shift) & 0xFF;
                return ((s * alpha + t * (255 - alpha)) / 255) << shift;
            };
            target = 0xFF000000u | mix(16) | mix(8) | mix(0);
        }
    }
}

void SurfaceCanvas::SetClip(const CRect* rect) {
    if (rect == nullptr) {
        SDL_SetClipRect(m_surface, nullptr);
        return;
    }
    const SDL_Rect r{rect->left, rect->top, std::max(0, rect->Width()), std::max(0, rect->Height())};
    SDL_SetClipRect(m_surface, &r);
}

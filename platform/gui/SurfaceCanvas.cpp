#include "SurfaceCanvas.h"

#include <SDL.h>

#include <stdexcept>
#include <string>

#include "DialogFont.h"

static_assert(SurfaceCanvas::kArgb == SDL_PIXELFORMAT_ARGB8888 && SurfaceCanvas::kXrgb == SDL_PIXELFORMAT_RGB888);

SurfaceCanvas::SurfaceCanvas(int width, int height, const DialogFont& font, std::uint32_t format)
    : m_surface(SDL_CreateRGBSurfaceWithFormat(0, std::max(1, width), std::max(1, height), 32, format == kXrgb ? kXrgb : kArgb)), m_font(font) {
    if (m_surface == nullptr) throw std::runtime_error(std::string("cannot make a drawing surface: ") + SDL_GetError());
    // Every pixel drawn here is opaque: copying the canvas out needs no blending.
    SDL_SetSurfaceBlendMode(m_surface, SDL_BLENDMODE_NONE);
}

SurfaceCanvas::SurfaceCanvas(SDL_Surface* target, const DialogFont& font) : m_surface(target), m_ownsSurface(false), m_font(font) {}

SurfaceCanvas::~SurfaceCanvas() {
    if (m_ownsSurface) SDL_FreeSurface(m_surface);
}

int SurfaceCanvas::Width() const { return m_surface->w; }
int SurfaceCanvas::Height() const { return m_surface->h; }

std::uint32_t SurfaceCanvas::PixelAt(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_surface->w || y >= m_surface->h) return 0;
    // Drawn pixels are opaque, whatever the format keeps in the top byte.
    return static_cast<const std::uint32_t*>(m_surface->pixels)[y * (m_surface->pitch / 4) + x] | 0xFF000000u;
}

void SurfaceCanvas::FillRect(const Rect& rect, COLORREF color) {
    SDL_Rect r{rect.left, rect.top, rect.Width(), rect.Height()};
    if (r.w <= 0 || r.h <= 0) return;
    SDL_FillRect(m_surface, &r, SDL_MapRGB(m_surface->format, GetRValue(color), GetGValue(color), GetBValue(color)));
}

void SurfaceCanvas::DrawText(int x, int y, std::string_view utf8, COLORREF color) {
    if (utf8.empty()) return;
    SDL_Surface* glyphs = m_font.RenderedText(std::string(utf8), (static_cast<std::uint32_t>(GetRValue(color)) << 16) |
                                                                     (static_cast<std::uint32_t>(GetGValue(color)) << 8) | GetBValue(color));
    if (glyphs == nullptr) return;
    SDL_Rect at{x, y, glyphs->w, glyphs->h};
    SDL_BlitSurface(glyphs, nullptr, m_surface, &at);
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

void SurfaceCanvas::SetClip(const Rect* rect) {
    if (rect == nullptr) {
        SDL_SetClipRect(m_surface, nullptr);
        return;
    }
    const SDL_Rect r{rect->left, rect->top, std::max(0, rect->Width()), std::max(0, rect->Height())};
    SDL_SetClipRect(m_surface, &r);
}

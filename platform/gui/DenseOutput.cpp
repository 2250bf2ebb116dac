#include "DenseOutput.h"

#include <algorithm>
#include <cstdint>
#include <utility>

int ScaledOutputDensity() {
    // A window allowed high density is made at the largest scale among the outputs.
    SDL_Window* probe = SDL_CreateWindow("", 0, 0, 16, 16, SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS | SDL_WINDOW_ALLOW_HIGHDPI);
    if (probe == nullptr) return 1;
    int points = 0;
    int pixels = 0;
    SDL_GetWindowSize(probe, &points, nullptr);
    SDL_GetWindowSizeInPixels(probe, &pixels, nullptr);
    SDL_DestroyWindow(probe);
    return points > 0 ? std::clamp(pixels / points, 1, 8) : 1;
}

std::optional<DenseOutput> DenseOutput::Open(SDL_Window* window) {
    SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, 0);
    if (renderer == nullptr) return std::nullopt;
    int width = 0;
    int height = 0;
    SDL_GetRendererOutputSize(renderer, &width, &height);
    SDL_Texture* texture =
        width > 0 && height > 0 ? SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, width, height) : nullptr;
    if (texture == nullptr) {
        SDL_DestroyRenderer(renderer);
        return std::nullopt;
    }
    return DenseOutput(renderer, texture, width, height);
}

DenseOutput::DenseOutput(SDL_Renderer* renderer, SDL_Texture* texture, int width, int height)
    : m_renderer(renderer), m_texture(texture), m_width(width), m_height(height) {}

DenseOutput::DenseOutput(DenseOutput&& other) noexcept
    : m_renderer(std::exchange(other.m_renderer, nullptr)),
      m_texture(std::exchange(other.m_texture, nullptr)),
      m_width(other.m_width),
      m_height(other.m_height) {}

DenseOutput::~DenseOutput() {
    if (m_texture != nullptr) SDL_DestroyTexture(m_texture);
    if (m_renderer != nullptr) SDL_DestroyRenderer(m_renderer);
}

void DenseOutput::Show(const SDL_Surface* pixels, const SDL_Rect& changed) {
    SDL_Rect rect = changed;
    const SDL_Rect whole{0, 0, std::min(m_width, pixels->w), std::min(m_height, pixels->h)};
    if (SDL_IntersectRect(&rect, &whole, &rect)) {
        const auto* first = static_cast<const std::uint8_t*>(pixels->pixels) + static_cast<std::ptrdiff_t>(rect.y) * pixels->pitch + rect.x * 4;
        SDL_UpdateTexture(m_texture, &rect, first, pixels->pitch);
    }
    // What a renderer showed before is not kept: each frame shows all of the texture.
    SDL_RenderCopy(m_renderer, m_texture, nullptr, nullptr);
    SDL_RenderPresent(m_renderer);
}

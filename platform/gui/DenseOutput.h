// A window's pixels at its output's own density. Where the compositor scales
// an output (Wayland's 2x screens), a window's framebuffer has the window's
// logical size and comes out enlarged and blurred; pixels put through a
// renderer of the drawable's size come out sharp.
#pragma once

#include <SDL.h>

#include <optional>

// How many of the output's pixels a window point covers there, from a hidden
// probe window: 1 where the output is not scaled.
int ScaledOutputDensity();

class DenseOutput {
public:
    // Empty where no renderer can be had for the window.
    static std::optional<DenseOutput> Open(SDL_Window* window);
    DenseOutput(DenseOutput&& other) noexcept;
    DenseOutput& operator=(DenseOutput&&) = delete;
    ~DenseOutput();

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // `changed` of `pixels` (32-bit, the drawable's size) goes up, and the whole is shown.
    void Show(const SDL_Surface* pixels, const SDL_Rect& changed);

private:
    DenseOutput(SDL_Renderer* renderer, SDL_Texture* texture, int width, int height);

    SDL_Renderer* m_renderer;
    SDL_Texture* m_texture;
    int m_width;
    int m_height;
};

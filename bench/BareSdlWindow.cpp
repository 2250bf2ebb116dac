// The floor for a window's start: a bare SDL2 window of the calculator's size,
// filled once and shown, then waiting for its close box. No text, no fonts.
#include <SDL.h>

int main(int, char**) {
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
    SDL_Window* window = SDL_CreateWindow("Bare SDL window", 100, 100, 459, 422, SDL_WINDOW_HIDDEN);
    if (window == nullptr) return 1;
    SDL_Surface* surface = SDL_GetWindowSurface(window);
    SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 192, 192, 192));
    SDL_ShowWindow(window);
    SDL_UpdateWindowSurface(window);
    for (SDL_Event event; SDL_WaitEvent(&event) && event.type != SDL_QUIT;) {
    }
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}

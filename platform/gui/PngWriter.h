// Writes a 32-bit ARGB surface as a PNG file.
#pragma once

#include <string>

struct SDL_Surface;

// False, with the reason in `error`, when the file cannot be written.
bool WritePng(const SDL_Surface* surface, const std::string& path, std::string& error);

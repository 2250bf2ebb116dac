// Writes 32-bit ARGB pixels as a PNG file.
#pragma once

#include <cstdint>
#include <string>

// `stride` is the pixels from one row's start to the next; without alpha the
// picture is written opaque. False, with the reason in `error`, when the file
// cannot be written.
bool WritePng(const std::uint32_t* argb, int width, int height, int stride, bool withAlpha, const std::string& path, std::string& error);

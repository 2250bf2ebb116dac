// The image a badge builds its icon from: a picture laid out as one icon
// image (header, colour table, colour rows and mask rows, bottom row first,
// then 22 zero bytes), the length an icon file of it would have.
#pragma once

#include <cstdint>
#include <vector>

#include "../platform/class_library/AfxWin32.h"

struct BadgePicture {
    int width;
    int height;
    int bitsPerPixel;                    // 4 or 1
    std::vector<std::uint32_t> palette;  // 2^bitsPerPixel colours as 0xRRGGBB
    std::vector<std::uint8_t> pixels;    // palette indexes, top row first; index 0 is transparent
    // The same picture drawn anew for a display of another scale (1 is the picture itself).
    BadgePicture (*drawAt)(double scale) = nullptr;
};

std::vector<BYTE> BuildBadgeImage(const BadgePicture& picture);

// Icons and pointer shapes: decoded from the icon-image layout, drawn with
// their mask, and chosen per window through WM_SETCURSOR.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "Geometry.h"

struct HICON__ {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> argb;  // top row first; alpha 0 where the mask is set
    int systemCursor = 0;             // for the platform's own pointers: which one
};
using IconObject = HICON__;

// Icons are enlarged by whole steps, pixel for pixel, as far as they fit the
// scale: 2 at twice the original's size, still 1 at one and a half times.
int IconStep(double scale);
// An icon's pixels at `width` x `height`, each taken from the nearest one of the icon's own.
std::vector<std::uint32_t> ScaledPixels(const IconObject& icon, int width, int height);

// How many icons programs made and have not destroyed yet.
std::size_t LiveIconCount();

// The platform's own pointers, by their resource numbers.
inline constexpr int kCursorArrow = 32512;
inline constexpr int kCursorIBeam = 32513;
inline constexpr int kCursorHand = 32649;

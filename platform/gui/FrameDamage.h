// What changed between two frames, as rectangles to push to the screen: one
// for each run of rows that changed, as wide as the changes in it.
#pragma once

#include <cstdint>
#include <vector>

#include "../window_system/Geometry.h"

// `previous` and `current` are `width` x `height` pixels, their rows
// `previousStride` and `currentStride` pixels apart.
std::vector<Rect> ChangedBands(const std::uint32_t* previous, int previousStride, const std::uint32_t* current, int currentStride, int width,
                               int height);

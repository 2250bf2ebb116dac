#include "FrameDamage.h"

#include <algorithm>
#include <cstring>

std::vector<Rect> ChangedBands(const std::uint32_t* previous, int previousStride, const std::uint32_t* current, int currentStride, int width,
                               int height) {
    std::vector<Rect> bands;
    bool open = false;
    Rect band;
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* before = previous + static_cast<std::ptrdiff_t>(y) * previousStride;
        const std::uint32_t* now = current + static_cast<std::ptrdiff_t>(y) * currentStride;
        // Most rows are unchanged: a whole-row comparison is the quick way to find that out.
        if (std::memcmp(before, now, static_cast<std::size_t>(width) * sizeof *now) == 0) {
            if (open) bands.push_back(band);
            open = false;
            continue;
        }
        int left = 0;
        while (before[left] == now[left]) ++left;
        int right = width;
        while (right > left && before[right - 1] == now[right - 1]) --right;
        if (!open) band = {left, y, right, y + 1};
        band.left = std::min(band.left, left);
        band.right = std::max(band.right, right);
        band.bottom = y + 1;
        open = true;
    }
    if (open) bands.push_back(band);
    return bands;
}

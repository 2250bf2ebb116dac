#include <gtest/gtest.h>

#include <vector>

#include "platform/gui/FrameDamage.h"

namespace {

// A 6 x 5 frame, and the rectangles that carry its changes to the screen.
TEST(FrameDamage, ChangedRowsGroupIntoBandsAsWideAsTheirChanges) {
    struct Row {
        const char* name;
        std::vector<std::pair<int, int>> changed;  // x, y
        std::vector<Rect> bands;
    };
    const Row rows[] = {
        {"nothing changed", {}, {}},
        {"one pixel", {{2, 3}}, {{2, 3, 3, 4}}},
        {"two rows next to each other join", {{1, 1}, {4, 2}}, {{1, 1, 5, 3}}},
        {"rows apart stay apart", {{0, 0}, {5, 4}}, {{0, 0, 1, 1}, {5, 4, 6, 5}}},
        {"the whole last column", {{5, 0}, {5, 1}, {5, 2}, {5, 3}, {5, 4}}, {{5, 0, 6, 5}}},
    };
    constexpr int kWidth = 6, kHeight = 5, kStride = 8;
    for (const Row& row : rows) {
        const std::vector<std::uint32_t> before(kWidth * kHeight, 7);
        std::vector<std::uint32_t> now(kStride * kHeight, 7);
        for (const auto& [x, y] : row.changed) now[static_cast<std::size_t>(y * kStride + x)] = 9;
        const std::vector<Rect> bands = ChangedBands(before.data(), kWidth, now.data(), kStride, kWidth, kHeight);
        ASSERT_EQ(bands.size(), row.bands.size()) << row.name;
        for (std::size_t i = 0; i < bands.size(); ++i) {
            EXPECT_EQ(bands[i].left, row.bands[i].left) << row.name;
            EXPECT_EQ(bands[i].top, row.bands[i].top) << row.name;
            EXPECT_EQ(bands[i].right, row.bands[i].right) << row.name;
            EXPECT_EQ(bands[i].bottom, row.bands[i].bottom) << row.name;
        }
    }
}

}  // namespace

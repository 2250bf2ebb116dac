// The high-contrast scheme: what each system colour answers, and that the
// choice can be taken back.
#include <gtest/gtest.h>

#include "platform/window_system/WindowApi.h"

namespace {

TEST(Contrast, TheHighContrastSchemeIsWhiteOnBlackWithReadableDisabledText) {
    const struct {
        int index;
        COLORREF classic;
        COLORREF high;
    } cases[] = {
        {COLOR_WINDOW, RGB(255, 255, 255), RGB(0, 0, 0)},
        {COLOR_WINDOWTEXT, RGB(0, 0, 0), RGB(255, 255, 255)},
        {COLOR_3DFACE, RGB(212, 208, 200), RGB(0, 0, 0)},
        {COLOR_BTNTEXT, RGB(0, 0, 0), RGB(255, 255, 255)},
        {COLOR_GRAYTEXT, RGB(128, 128, 128), RGB(0, 255, 0)},
        {COLOR_HIGHLIGHT, RGB(10, 36, 106), RGB(255, 255, 0)},
        {COLOR_HIGHLIGHTTEXT, RGB(255, 255, 255), RGB(0, 0, 0)},
        {COLOR_INFOBK, RGB(255, 255, 225), RGB(0, 0, 0)},
        {COLOR_INFOTEXT, RGB(0, 0, 0), RGB(255, 255, 255)},
    };
    for (const bool high : {true, false}) {
        SetHighContrast(high);
        EXPECT_EQ(HighContrast(), high);
        for (const auto& c : cases) EXPECT_EQ(GetSysColor(c.index), high ? c.high : c.classic) << "colour " << c.index << (high ? " under high contrast" : "");
    }
}

}  // namespace

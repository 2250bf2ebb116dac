// The colour schemes as a reader sees them: under high contrast every text
// stands out from what it is drawn on by the ratio the accessibility
// guidelines ask of enhanced contrast, disabled text still differs from
// enabled text, and the classic scheme comes back once the wish is taken back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "PlatformFixture.h"
#include "platform/window_system/WindowApi.h"

namespace {

// Relative luminance and contrast ratio, as WCAG 2 defines them.
double Luminance(COLORREF c) {
    const auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(GetRValue(c)) + 0.7152 * channel(GetGValue(c)) + 0.0722 * channel(GetBValue(c));
}

double ContrastRatio(COLORREF a, COLORREF b) {
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

class Contrast : public PlatformFixture {};

TEST_F(Contrast, UnderHighContrastEveryTextStandsOutFromItsGround) {
    m_backend.WishHighContrast(true);
    ASSERT_TRUE(HighContrast());
    const struct {
        const char* what;
        int text;
        int ground;
    } pairs[] = {
        {"a field's text", COLOR_WINDOWTEXT, COLOR_WINDOW},
        {"a label or button", COLOR_BTNTEXT, COLOR_3DFACE},
        {"disabled text", COLOR_GRAYTEXT, COLOR_3DFACE},
        {"selected text", COLOR_HIGHLIGHTTEXT, COLOR_HIGHLIGHT},
        {"a tooltip", COLOR_INFOTEXT, COLOR_INFOBK},
        {"a caption", COLOR_CAPTIONTEXT, COLOR_ACTIVECAPTION},
        {"a button's lit edge", COLOR_3DHILIGHT, COLOR_3DFACE},
    };
    for (const auto& p : pairs) EXPECT_GE(ContrastRatio(GetSysColor(p.text), GetSysColor(p.ground)), 7.0) << p.what;
    EXPECT_NE(GetSysColor(COLOR_GRAYTEXT), GetSysColor(COLOR_BTNTEXT)) << "disabled text looks enabled";
}

TEST_F(Contrast, TheClassicSchemeComesBackWhenTheWishIsTakenBack) {
    const COLORREF classicFace = GetSysColor(COLOR_3DFACE);
    m_backend.WishHighContrast(true);
    EXPECT_NE(GetSysColor(COLOR_3DFACE), classicFace);
    m_backend.WishHighContrast(false);
    EXPECT_FALSE(HighContrast());
    EXPECT_EQ(GetSysColor(COLOR_3DFACE), classicFace);
    // The classic scheme's text is readable too, at the ordinary level.
    EXPECT_GE(ContrastRatio(GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_WINDOW)), 4.5);
    EXPECT_GE(ContrastRatio(GetSysColor(COLOR_BTNTEXT), GetSysColor(COLOR_3DFACE)), 4.5);
}

}  // namespace

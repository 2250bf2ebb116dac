// Icons on a dense screen: the system's icon sizes grow by whole steps with the
// display's scale, and an icon drawn at another size is enlarged pixel for pixel.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <vector>

#include "badge/BadgePictures.h"
#include "platform/gui/DesktopScale.h"
#include "platform/gui/SessionBusProbe.h"
#include "platform/headless/HeadlessBackend.h"
#include "platform/window_system/DeviceContext.h"
#include "platform/window_system/Icon.h"
#include "platform/window_system/WindowManager.h"

namespace {

class ScaledMetrics : public FixedTextMetrics {
public:
    explicit ScaledMetrics(double scale) : m_scale(scale) {}
    double Scale() const override { return m_scale; }

private:
    double m_scale;
};

// The streams come first, so that they exist before the back end takes them.
struct Streams {
    std::istringstream in;
    std::ostringstream out;
};

class ScaledBackend : private Streams, public HeadlessBackend {
public:
    explicit ScaledBackend(double scale) : HeadlessBackend(in, out), m_metrics(scale) {}
    const TextMetrics& Metrics() const override { return m_metrics; }

private:
    ScaledMetrics m_metrics;
};

// Keeps the pixels drawn, by position.
class PixelGrid : public Canvas {
public:
    void FillRect(const Rect&, COLORREF) override {}
    void DrawText(int, int, std::string_view, COLORREF) override {}
    void SetClip(const Rect*) override {}
    void DrawPixels(int x, int y, int width, int height, const std::uint32_t* argb) override {
        left = x, top = y, w = width, h = height;
        pixels.assign(argb, argb + static_cast<std::ptrdiff_t>(width) * height);
    }
    int left = 0, top = 0, w = 0, h = 0;
    std::vector<std::uint32_t> pixels;
};

TEST(Scale, IconSizesGrowByWholeStepsThatFitTheScale) {
    const struct {
        double scale;
        int icon;
        int smallIcon;
    } cases[] = {{0.5, 32, 16}, {1, 32, 16}, {1.25, 32, 16}, {1.5, 32, 16}, {1.75, 32, 16}, {2, 64, 32}, {3, 96, 48}};
    for (const auto& c : cases) {
        ScaledBackend backend(c.scale);
        WindowManager::Instance().SetBackend(&backend);
        EXPECT_EQ(GetSystemMetrics(SM_CXICON), c.icon) << "at scale " << c.scale;
        EXPECT_EQ(GetSystemMetrics(SM_CYICON), c.icon) << "at scale " << c.scale;
        EXPECT_EQ(GetSystemMetrics(SM_CXSMICON), c.smallIcon) << "at scale " << c.scale;
        WindowManager::Instance().SetBackend(nullptr);
    }
}

TEST(Scale, AnIconDrawnLargerIsEnlargedPixelForPixel) {
    // Two by two: red, green over blue, clear.
    const IconObject icon{2, 2, {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0u}, 0};
    PixelGrid grid;
    DeviceContext dc;
    dc.canvas = &grid;
    dc.origin = {10, 20};
    const auto at = [&grid](int x, int y) { return grid.pixels[static_cast<std::size_t>(y * grid.w + x)]; };

    ASSERT_TRUE(DrawIconEx(&dc, 1, 2, const_cast<HICON>(&icon), 4, 4, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(grid.left, 11);
    EXPECT_EQ(grid.top, 22);
    ASSERT_EQ(grid.w, 4);
    ASSERT_EQ(grid.h, 4);
    EXPECT_EQ(at(0, 0), 0xFFFF0000u);
    EXPECT_EQ(at(1, 1), 0xFFFF0000u);
    EXPECT_EQ(at(2, 0), 0xFF00FF00u);
    EXPECT_EQ(at(3, 1), 0xFF00FF00u);
    EXPECT_EQ(at(0, 3), 0xFF0000FFu);
    EXPECT_EQ(at(3, 3), 0u) << "a clear pixel stays clear";

    ASSERT_TRUE(DrawIconEx(&dc, 0, 0, const_cast<HICON>(&icon), 0, 0, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(grid.w, 2) << "a size of 0 is the icon's own";
}

TEST(Scale, BadgePicturesAreDrawnAtTheScalesSizeAndUnchangedAtOne) {
    const struct {
        const char* name;
        const BadgePicture& picture;
    } pictures[] = {{"knot", PlateMakingPicture()}, {"label", WovenLabelPicture()}, {"seal", SealPicture()}};
    for (const auto& [name, picture] : pictures) {
        const BadgePicture same = BadgePictureAt(picture, 1.0);
        EXPECT_EQ(same.pixels, picture.pixels) << name << " at scale 1";
        for (const double scale : {1.5, 2.0, 3.0}) {
            const BadgePicture scaled = BadgePictureAt(picture, scale);
            EXPECT_EQ(scaled.width, static_cast<int>(std::lround(picture.width * scale))) << name << " at " << scale;
            EXPECT_EQ(scaled.height, static_cast<int>(std::lround(picture.height * scale))) << name << " at " << scale;
            ASSERT_EQ(scaled.pixels.size(), static_cast<std::size_t>(scaled.width) * scaled.height) << name << " at " << scale;
            EXPECT_EQ(scaled.palette, picture.palette) << name << " at " << scale;
        }
    }
    // Drawn anew, the knot's rings stay rings: at twice the size, as much of it
    // is coloured as four times the pixels of the original, within the rounding at their edges.
    const auto coloured = [](const BadgePicture& p) {
        return std::count_if(p.pixels.begin(), p.pixels.end(), [](std::uint8_t i) { return i != 0; });
    };
    const auto original = coloured(PlateMakingPicture());
    const auto twice = coloured(BadgePictureAt(PlateMakingPicture(), 2.0));
    EXPECT_NEAR(static_cast<double>(twice), 4.0 * static_cast<double>(original), 0.08 * 4.0 * static_cast<double>(original));
}

TEST(Scale, TheDesktopsXftDpiSetsTheScaleInQuarterSteps) {
    const struct {
        const char* resources;
        std::optional<double> scale;
    } cases[] = {
        {"Xft.dpi:\t192\n", 2.0},
        {"Xcursor.size:\t48\nXft.dpi:\t144\nXft.antialias:\t1\n", 1.5},
        {"Xft.dpi: 120", 1.25},
        {"Xft.dpi:\t96\n", 1.0},
        {"Xft.dpi:\t100\n", 1.0},
        {"Xft.dpi:\t48\n", 0.5},
        {"Xft.antialias:\t1\n", std::nullopt},
        {"Xft.dpi:\tlarge\n", std::nullopt},
        {"Xft.dpi:\t100000\n", std::nullopt},
        {"Xft.dpi:\t-96\n", std::nullopt},
        {"Xft.dpi:\tnan\n", std::nullopt},
        {"Xft.dpi: -nan", std::nullopt},
        {"Xft.dpi: NaN", std::nullopt},
        {"Xft.dpi: inf", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(ScaleFromResources(c.resources), c.scale) << c.resources;
}

// The socket a bus address names, as the bus library reads it: escapes undone,
// the first address of several, abstract names with their leading NUL.
TEST(SessionBus, TheSocketOfAnAddress) {
    using namespace std::string_literals;
    const struct {
        const char* address;
        std::optional<std::string> socket;
    } cases[] = {
        {"unix:path=/run/user/1000/bus", "/run/user/1000/bus"s},
        {"unix:abstract=/tmp/dbus-XYZ,guid=0123", "\0/tmp/dbus-XYZ"s},
        {"unix:guid=0123,path=/tmp/a%20b", "/tmp/a b"s},
        {"unix:path=/first;unix:path=/second", "/first"s},
        {"tcp:host=localhost,port=1234", std::nullopt},
        {"disabled:", std::nullopt},
        {"unix:path=", std::nullopt},
        {"unix:path=/bad%2", std::nullopt},
        {"unix:path=/bad%zz", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(UnixSocketOf(c.address), c.socket) << c.address;
}

}  // namespace

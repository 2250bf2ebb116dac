#include <gtest/gtest.h>

#include "PlatformFixture.h"
#include "badge/BadgePictures.h"
#include "badge/IconBadge.h"
#include "platform/class_library/CDialog.h"
#include "platform/window_system/DialogProcedure.h"
#include "platform/window_system/Icon.h"
#include "platform/window_system/ToolTip.h"
#include "platform/window_system/WindowApi.h"

namespace {

std::uint32_t Read(const std::vector<BYTE>& b, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | b[at + static_cast<std::size_t>(i)];
    return v;
}

struct ImageFigures {
    const char* name;
    const BadgePicture& picture;
    std::size_t length;
    std::uint32_t width, height, bits, sizeImage;
    std::size_t colourAt, maskAt, zerosAt;
};

TEST(BadgeImage, LayoutOfTheThreeImages) {
    const ImageFigures rows[] = {
        {"woven label", WovenLabelPicture(), 446, 32, 32, 4, 320, 104, 360, 424},
        {"plate making", PlateMakingPicture(), 766, 32, 64, 4, 640, 104, 616, 744},
        {"seal", SealPicture(), 454, 27, 96, 1, 384, 48, 240, 432},
    };
    for (const ImageFigures& r : rows) {
        const std::vector<BYTE> image = BuildBadgeImage(r.picture);
        ASSERT_EQ(image.size(), r.length) << r.name;
        const std::uint32_t header[] = {40, r.width, r.height, 1, r.bits, 0, r.sizeImage, 0, 0, 0, 0};
        const std::pair<std::size_t, int> fields[] = {{0, 4}, {4, 4}, {8, 4}, {12, 2}, {14, 2}, {16, 4}, {20, 4}, {24, 4}, {28, 4}, {32, 4}, {36, 4}};
        for (std::size_t i = 0; i < 11; ++i) EXPECT_EQ(Read(image, fields[i].first, fields[i].second), header[i]) << r.name << " field " << i;
        EXPECT_EQ(40 + 4 * (1u << r.bits), r.colourAt) << r.name;
        for (std::size_t i = r.zerosAt; i < image.size(); ++i) EXPECT_EQ(image[i], 0) << r.name << " byte " << i;
    }
}

TEST(BadgeImage, PaletteAndZeroRowPadding) {
    const std::vector<BYTE> woven = BuildBadgeImage(WovenLabelPicture());
    // Entry 9 of the standard palette is red, stored blue, green, red, 0.
    EXPECT_EQ(Read(woven, 40 + 9 * 4, 4), 0x00FF0000u);
    const std::vector<BYTE> seal = BuildBadgeImage(SealPicture());
    EXPECT_EQ(Read(seal, 40, 4), 0u);
    EXPECT_EQ(Read(seal, 44, 4), 0x00FF0000u);
    // Rows of 27 pixels leave five padding bits in their fourth byte, colour and mask alike.
    for (int row = 0; row < 48; ++row) {
        EXPECT_EQ(seal[48 + row * 4 + 3] & 0x1F, 0) << "colour row " << row;
        EXPECT_EQ(seal[240 + row * 4 + 3] & 0x1F, 0) << "mask row " << row;
    }
}

TEST(BadgeImage, TransparentExactlyWhereTheIndexIsZero) {
    for (const BadgePicture* picture : {&PlateMakingPicture(), &WovenLabelPicture(), &SealPicture()}) {
        std::vector<BYTE> image = BuildBadgeImage(*picture);
        HICON icon = CreateIconFromResourceEx(image.data(), static_cast<DWORD>(image.size()), TRUE, 0x30000, picture->width, picture->height, 0);
        ASSERT_NE(icon, nullptr);
        int opaque = 0;
        for (std::size_t i = 0; i < picture->pixels.size(); ++i) {
            const bool transparent = (icon->argb[i] >> 24) == 0;
            EXPECT_EQ(transparent, picture->pixels[i] == 0) << "pixel " << i;
            opaque += transparent ? 0 : 1;
        }
        EXPECT_GT(opaque, 60) << "a picture worth the name";
    }
}

TEST(CreateIconFromResource, RefusesTruncatedAndMalformedImages) {
    std::vector<BYTE> good = BuildBadgeImage(SealPicture());
    for (std::size_t size : {std::size_t{0}, std::size_t{39}, std::size_t{47}, std::size_t{239}, std::size_t{431}})
        EXPECT_EQ(CreateIconFromResourceEx(good.data(), static_cast<DWORD>(size), TRUE, 0x30000, 27, 48, 0), nullptr) << size;
    EXPECT_NE(CreateIconFromResourceEx(good.data(), 432, TRUE, 0x30000, 27, 48, 0), nullptr);
    const std::pair<std::size_t, BYTE> corruptions[] = {{0, 41}, {8, 97}, {12, 2}, {14, 3}, {16, 1}, {4, 0}};
    for (const auto& [at, value] : corruptions) {
        std::vector<BYTE> bad = good;
        bad[at] = value;
        EXPECT_EQ(CreateIconFromResourceEx(bad.data(), static_cast<DWORD>(bad.size()), TRUE, 0x30000, 27, 48, 0), nullptr) << at;
    }
    EXPECT_EQ(CreateIconFromResourceEx(nullptr, 454, TRUE, 0x30000, 27, 48, 0), nullptr);
}

constexpr DialogItemTemplate kItems[] = {{50, WindowClass::Static, WS_VISIBLE | SS_ICON, 20, 20, 20, 20, ""}};
constexpr DialogTemplate kTemplate{9, false, WS_POPUP | WS_CAPTION, 0, 0, 0, 100, 100, "badge", "宋体", 9, kItems};

class BadgeGeometry : public PlatformFixture {
protected:
    Rect Attach(CIconBadge& badge, int frame) {
        m_dialog.SubclassWindow(CreateDialogWindow(kTemplate, nullptr));
        HWND hWnd = GetDlgItem(m_dialog.m_hWnd, 50);
        hWnd->clientInset = {frame / 2, frame / 2, frame - frame / 2, frame - frame / 2};
        m_before = hWnd->rect;
        badge.SubclassWindow(hWnd);
        return hWnd->rect;
    }
    CDialog m_dialog;
    Rect m_before;
};

TEST_F(BadgeGeometry, WithoutAFrameTheControlBecomesTheIconSizeAtItsBottomRight) {
    CIconBadge badge(PlateMakingPicture(), "x");
    const Rect after = Attach(badge, 0);
    EXPECT_EQ(after, (Rect{m_before.right - 32, m_before.bottom - 32, m_before.right, m_before.bottom}));
    const ToolInfo* tool = FindTool(badge.m_hWnd);
    ASSERT_NE(tool, nullptr);
    EXPECT_EQ(tool->rect, (Rect{0, 0, 32, 32})) << "the tool rectangle is taken after the resize";
    EXPECT_EQ(tool->text, CIconBadge::kToolTipText);
    EXPECT_TRUE(badge.GetStyle() & SS_NOTIFY);
}

TEST_F(BadgeGeometry, AOnePixelBorderAddsTwoPixelsEachWay) {
    CIconBadge badge(WovenLabelPicture(), "x");
    const Rect after = Attach(badge, 2);
    EXPECT_EQ(after.Width(), 34);
    EXPECT_EQ(after.Height(), 18);
    EXPECT_EQ(after.right, m_before.right);
    EXPECT_EQ(after.bottom, m_before.bottom);
    EXPECT_EQ(FindTool(badge.m_hWnd)->rect, (Rect{0, 0, 32, 16}));
}

// A screen whose scale changes while the program runs: the window moved to another monitor.
class MovingScaleMetrics : public FixedTextMetrics {
public:
    double Scale() const override { return scale; }
    double scale = 1.0;
};

class MovedBetweenScreens : public BadgeGeometry {
protected:
    struct ScaledHeadless : HeadlessBackend {
        using HeadlessBackend::HeadlessBackend;
        const TextMetrics& Metrics() const override { return metrics; }
        MovingScaleMetrics metrics;
    };
    MovedBetweenScreens() : m_scaled(m_in, m_out) { WindowManager::Instance().SetBackend(&m_scaled); }
    // The windows outlive this back end: they go with the fixture's own.
    ~MovedBetweenScreens() override { WindowManager::Instance().SetBackend(&m_backend); }
    ScaledHeadless m_scaled;
};

TEST_F(MovedBetweenScreens, TheBadgeIsDrawnAnewAtEachScaleAndKeepsItsCorner) {
    CIconBadge badge(PlateMakingPicture(), "x");
    const Rect first = Attach(badge, 2);
    for (const auto& [scale, side] : {std::pair{2.0, 64}, {1.5, 48}, {1.0, 32}}) {
        m_scaled.metrics.scale = scale;
        SendMessage(badge.m_hWnd, WM_DPICHANGED_AFTERPARENT, 0, 0);
        const Rect now = badge.m_hWnd->rect;
        EXPECT_EQ(now.Width(), side + 2) << scale;
        EXPECT_EQ(now.Height(), side + 2) << scale;
        EXPECT_EQ(now.right, first.right) << scale;
        EXPECT_EQ(now.bottom, first.bottom) << scale;
        EXPECT_EQ(FindTool(badge.m_hWnd)->rect, (Rect{0, 0, side, side})) << "the tooltip follows, at scale " << scale;
        EXPECT_EQ(badge.GetIcon()->width, side) << "drawn at the size, not enlarged later, at scale " << scale;
    }
}

}  // namespace

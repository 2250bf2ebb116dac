#include <gtest/gtest.h>

#include <SDL.h>

#include "DriverHarness.h"
#include "platform/window_system/WindowApi.h"
#include "platform/window_system/WindowManager.h"
#include "platform/gui/DialogFont.h"
#include "platform/gui/Renderer.h"
#include "platform/gui/SurfaceCanvas.h"
#include "platform/driver/Driver.h"

namespace {

// Renders the top dialog offscreen and hands the picture to a check.
class RenderedDialog {
public:
    explicit RenderedDialog(const DialogFont& font) {
        m_dialog = WindowManager::Instance().ActiveDialog();
        m_rect = WindowManager::Instance().ScreenRect(m_dialog);
        m_canvas = std::make_unique<SurfaceCanvas>(m_rect.Width(), m_rect.Height(), font);
        Renderer(*m_canvas, font).Paint({m_rect.left, m_rect.top}, {0, 0, m_rect.Width(), m_rect.Height()}, true);
    }
    int Width() const { return m_canvas->Width(); }
    int Height() const { return m_canvas->Height(); }
    COLORREF At(int x, int y) const {
        const std::uint32_t p = m_canvas->PixelAt(x, y);
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    // Pixels of a control's rectangle with the colour, counted.
    int Count(int id, COLORREF color) const {
        Rect r = WindowManager::Instance().ScreenRect(GetDlgItem(m_dialog, id));
        r.OffsetRect(-m_rect.left, -m_rect.top);
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) n += At(x, y) == color ? 1 : 0;
        return n;
    }

private:
    HWND m_dialog;
    Rect m_rect;
    std::unique_ptr<SurfaceCanvas> m_canvas;
};

class Render : public ::testing::Test {
protected:
    static void SetUpTestSuite() { font = std::make_unique<DialogFont>(1.0); }
    static void TearDownTestSuite() { font.reset(); }
    // Runs the script; `check` runs with the picture at each `inspect` command.
    void Run(const std::string& script, const std::function<std::string(const RenderedDialog&)>& check) {
        const DriverRun run = RunDotwise(
            script, [&](Driver& driver) { driver.AddCommand("inspect", [&](const Driver::Args&) { return check(RenderedDialog(*font)); }); });
        for (const std::string& line : Answers(run)) EXPECT_EQ(line.rfind("error", 0), std::string::npos) << line;
    }
    static std::unique_ptr<DialogFont> font;
};
std::unique_ptr<DialogFont> Render::font;

TEST_F(Render, TheStartStateHasTheTemplateSizeACaptionLabelsAndTheFocus) {
    Run("inspect\n", [](const RenderedDialog& d) {
        // 302 x 265 dialog units with base units 6 x 12, plus a 3-pixel frame and the caption.
        EXPECT_EQ(d.Width(), 453 + 6);
        EXPECT_EQ(d.Height(), 398 + 3 + 18 + 3);
        EXPECT_EQ(d.At(3, 4), GetSysColor(COLOR_ACTIVECAPTION)) << "the caption starts in the caption colour";
        int captionText = 0;
        for (int x = 30; x < 300; ++x)
            for (int y = 5; y < 18; ++y) captionText += d.At(x, y) == RGB(255, 255, 255) ? 1 : 0;
        EXPECT_GT(captionText, 50) << "white caption text";
        // Every enabled label and field shows text where the template puts it.
        for (int id : {1, 2, 1000, 1001, 1004, 1005, 1016}) EXPECT_GT(d.Count(id, RGB(0, 0, 0)), 10) << id;
        // "确定" has the focus: the dotted focus rectangle lies inside it.
        EXPECT_GT(d.Count(1, RGB(0, 0, 0)), 60);
        EXPECT_EQ(d.Count(1000, GetSysColor(COLOR_HIGHLIGHT)), 0);
        return std::string("ok");
    });
}

TEST_F(Render, SelectAllShowsTheHighlightAndTheCaretStandsInTheField) {
    Run("focus 1000\ninspect\nkey End\ninspect\n", [step = 0](const RenderedDialog& d) mutable {
        if (step++ == 0) {
            EXPECT_GT(d.Count(1000, GetSysColor(COLOR_HIGHLIGHT)), 100);
        } else {
            EXPECT_EQ(d.Count(1000, GetSysColor(COLOR_HIGHLIGHT)), 0);
        }
        return std::string("ok");
    });
}

TEST_F(Render, ANegativeDiagonalIsDrawnInRed) {
    Run("click 1004\ntype -\ninspect\n", [](const RenderedDialog& d) {
        EXPECT_GT(d.Count(1004, RGB(255, 0, 0)), 10);
        return std::string("ok");
    });
}

TEST_F(Render, TheBadgesAndTheAboutIconArePainted) {
    Run("inspect\nkey Alt+Space\nkey A\ninspect\n", [step = 0](const RenderedDialog& d) mutable {
        if (step++ == 0) {
            EXPECT_GT(d.Count(1018, RGB(255, 0, 0)), 200) << "the seal";
            EXPECT_GT(d.Count(1019, RGB(255, 255, 0)), 10) << "the knot's yellow band";
        } else {
            EXPECT_EQ(d.Width(), 353 + 6) << "the About box: 235 dialog units";
        }
        return std::string("ok");
    });
}

}  // namespace

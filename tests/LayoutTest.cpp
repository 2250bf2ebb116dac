#include <gtest/gtest.h>

#include "PlatformFixture.h"
#include "platform/class_library/CWnd.h"
#include "platform/window_system/MenuLayout.h"
#include "platform/window_system/TextLayout.h"
#include "platform/tui/TerminalBackend.h"

namespace {

class Layout : public PlatformFixture {
protected:
    HWND Static(const char* text, DWORD style, int width, int height) {
        m_window.text = text;
        m_window.style = WS_CHILD | WS_VISIBLE | style;
        m_window.rect = {0, 0, width, height};
        return &m_window;
    }
    WindowState m_window;
    FixedTextMetrics m_metrics;  // 6 pixels per one-byte character, 12 per other
};

TEST_F(Layout, RightAlignedLabelsEndAtTheRightEdge) {
    const auto runs = LayOutStaticText(Static("ab中", SS_RIGHT, 100, 12), m_metrics);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].x, 100 - 24);
}

TEST_F(Layout, TallLeftAlignedTextWrapsAtAnyCharacterAndBreaksAtNewlines) {
    const auto runs = LayOutStaticText(Static("一二三四五\n六", SS_LEFT, 36, 48), m_metrics);
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].text, "一二三");
    EXPECT_EQ(runs[1].text, "四五");
    EXPECT_EQ(runs[1].y, 12);
    EXPECT_EQ(runs[2].text, "六");
    EXPECT_EQ(runs[2].y, 24);
}

// Words stay whole where a line has a space to break at; Chinese breaks
// beside any of its characters, and a word longer than the line is broken
// where it overflows.
TEST_F(Layout, TallLeftAlignedTextBreaksBetweenWordsAndBesideChineseCharacters) {
    struct Row {
        const char* text;
        int width;
        std::vector<std::string> lines;
    };
    const Row rows[] = {
        {"the size shown", 60, {"the size ", "shown"}},          // 10 characters fit: "the size s" would cut a word
        {"    indented words", 60, {"    indent", "ed words"}},  // the indent is no word to break after
        {"abcdefghijklmno", 60, {"abcdefghij", "klmno"}},        // one long word
        {"PPI为489", 42, {"PPI为", "489"}},                      // beside a Chinese character
        {"一二 three", 48, {"一二 ", "three"}},                  //
    };
    for (const Row& row : rows) {
        std::vector<std::string> lines;
        for (const TextRun& run : LayOutStaticText(Static(row.text, SS_LEFT, row.width, 60), m_metrics)) lines.push_back(run.text);
        EXPECT_EQ(lines, row.lines) << row.text;
    }
}

TEST_F(Layout, TabsAdvanceToTheNextStopAndAmpersandsMarkMnemonics) {
    const auto runs = LayOutStaticText(Static("ab\tc", SS_LEFT, 200, 12), m_metrics);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[1].x, 48) << "tab stops every eight average characters";
    EXPECT_EQ(LayOutStaticText(Static("&Save", SS_LEFT, 200, 12), m_metrics)[0].text, "Save");
    EXPECT_EQ(LayOutStaticText(Static("&Save", SS_LEFT | SS_NOPREFIX, 200, 12), m_metrics)[0].text, "&Save");
}

TEST_F(Layout, MenusStackTheirItemsAndStayOnTheSurface) {
    MenuObject menu;
    menu.items = {{MF_STRING, 1, "复制(&C)"}, {MF_SEPARATOR, 0, ""}, {MF_STRING, 2, "关闭(&C)\tAlt+F4"}};
    TrackedMenu tracked{&menu, nullptr, {390, 290}, -1, true, 0};
    const MenuBox box = LayOutMenu(tracked, m_metrics, {0, 0, 400, 300});
    ASSERT_EQ(box.items.size(), 3u);
    EXPECT_LE(box.rect.right, 400);
    EXPECT_LE(box.rect.bottom, 300);
    EXPECT_EQ(box.items[0].rect.bottom, box.items[1].rect.top);
    EXPECT_LT(box.items[1].rect.Height(), box.items[0].rect.Height()) << "a separator is thinner than an item";
    EXPECT_GT(box.rect.Width(), m_metrics.TextWidth("关闭(C)") + m_metrics.TextWidth("Alt+F4")) << "room for the shortcut";
}

TEST(TerminalMetrics, WideCharactersTakeTwoCells) {
    std::setlocale(LC_CTYPE, "C.UTF-8");
    const TerminalTextMetrics metrics;
    EXPECT_EQ(metrics.TextWidth("1280"), 4 * 6);
    EXPECT_EQ(metrics.TextWidth("矩阵"), 4 * 6);
    EXPECT_EQ(metrics.TextWidth("G 数"), 4 * 6);
}

}  // namespace

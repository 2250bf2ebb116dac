#include <gtest/gtest.h>

#include "DriverHarness.h"
#include "platform/window_system/WindowApi.h"
#include "platform/window_system/WindowManager.h"
#include "platform/driver/Driver.h"

namespace {

using Lines = std::vector<std::string>;

TEST(Badges, ClickTooltipAndPointer) {
    const DriverRun run = RunDotwise("click 1017\nclick 1019\nclick 1018\ntooltip 1018\ncursor 1019\ncursor 1000\ncursor 1\n");
    const Lines boxes = MessageBoxes(run);
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].rfind(R"(messagebox "dotwise" "Marvo个人编写织唛相关图像处理程序图标.\n)", 0), 0u);
    EXPECT_EQ(boxes[1].rfind(R"(messagebox "dotwise" "Marvo个人编写制版优化主程序图标.\n)", 0), 0u);
    EXPECT_EQ(boxes[2].rfind(R"(messagebox "dotwise" "Marvo个人手工制作印章1998.\n)", 0), 0u);
    const Lines answers = Answers(run);
    EXPECT_EQ(answers[3].rfind(R"("Marvo个人程序...)", 0), 0u);
    EXPECT_EQ(answers[4], "hand");
    EXPECT_EQ(answers[5], "ibeam");
    EXPECT_EQ(answers[6], "arrow");
}

TEST(AboutBox, OpensFromTheSystemMenuAnyNumberOfTimes) {
    const DriverRun run = RunDotwise(
        "sysmenu\nkey Alt+Space\nkey A\ndialogs\nfocus 1000\nkey Enter\ndialogs\nkey Alt+Space\nmenu \"关于 Dotwise(A)...\"\ndialogs\n"
        "key Escape\ndialogs\nstate\n");
    const Lines answers = Answers(run);
    EXPECT_EQ(answers[0], R"x("移动(&M)" - "关闭(&C)\tAlt+F4" - "关于 Dotwise(&A)...")x");
    EXPECT_EQ(answers[3], "102 100");
    EXPECT_EQ(answers[4].rfind("error: ", 0), 0u) << "the About box has no control 1000";
    EXPECT_EQ(answers[6], "102");
    EXPECT_EQ(answers[9], "102 100");
    EXPECT_EQ(answers[11], "102");
    EXPECT_EQ(answers[12], R"(1000 "1280")") << "the main dialog carries on as it was";
}

// Window managers take Alt+Space; F10 and Alt pressed and let go alone are left to the
// window, and open its menu. Alt that goes with another key is that key's.
TEST(AboutBox, F10OrALoneAltOpensTheSystemMenu) {
    const DriverRun run = RunDotwise(
        "key F10\nkey A\ndialogs\nkey Enter\nkey Alt\nkey A\ndialogs\nkey Enter\n"
        "focus 1000\nkey Alt+Shift\nkey 7\ndialogs\ntext 1000\nkey Alt\nkey Alt\nkey 8\ndialogs\ntext 1000\n");
    const Lines answers = Answers(run);
    ASSERT_EQ(answers.size(), 18u);
    EXPECT_EQ(answers[2], "102 100") << "F10, then A";
    EXPECT_EQ(answers[6], "102 100") << "Alt alone, then A";
    EXPECT_EQ(answers[11], "102") << "Alt with Shift opens no menu";
    EXPECT_EQ(answers[12], R"("7")") << "and the field takes the next key";
    EXPECT_EQ(answers[16], "102") << "a second lone Alt closes the menu the first opened";
    EXPECT_EQ(answers[17], R"("78")");
}

TEST(AboutBox, TheMainDialogTakesNoInputWhileItIsUp) {
    const DriverRun run = RunDotwise("key Alt+Space\nkey A\nquit\ndialogs\n");
    EXPECT_EQ(Answers(run).back(), "102");
}

TEST(SystemMenu, CloseEndsTheProgram) {
    const DriverRun run = RunDotwise("key Alt+Space\nmenu 关闭\nstate\n");
    EXPECT_EQ(run.lines, (Lines{"ok", "ok"}));
    EXPECT_EQ(run.exitCode, 0);
}

TEST(SystemMenu, EscapeDismissesIt) {
    const DriverRun run = RunDotwise("key Alt+Space\nkey Escape\ndialogs\n");
    EXPECT_EQ(Answers(run).back(), "102");
}

TEST(SystemMenu, EveryCommandFrom0x10To0x1FOpensTheAboutBox) {
    // The platform keeps the low four bits of a system command for itself.
    for (const int id : {0x10, 0x13, 0x1F, 0x20}) {
        const DriverRun run = RunDotwise("syscommand\ndialogs\nkey Escape\n", [id](Driver& driver) {
            driver.AddCommand("syscommand", [id](const Driver::Args&) {
                HWND dialog = WindowManager::Instance().ActiveDialog();
                PostMessage(dialog, WM_SYSCOMMAND, static_cast<WPARAM>(id), 0);
                return std::string("ok");
            });
        });
        EXPECT_EQ(Answers(run)[1], id < 0x20 ? "102 100" : "102") << id;
    }
}

}  // namespace

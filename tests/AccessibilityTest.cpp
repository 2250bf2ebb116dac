// The accessibility model of the running program: each control's role, name
// and states as a screen reader would be told them, the fields named by the
// label on their row, and the badges' click action.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DriverHarness.h"
#include "platform/driver/Driver.h"
#include "platform/window_system/Accessibility.h"
#include "platform/window_system/WindowManager.h"

namespace {

std::string StateWords(unsigned states) {
    using namespace AccessibleState;
    const std::pair<unsigned, const char*> words[] = {{kEnabled, "enabled"},   {kFocusable, "focusable"}, {kFocused, "focused"},
                                                      {kEditable, "editable"}, {kReadOnly, "read-only"},  {kChecked, "checked"},
                                                      {kDefault, "default"},   {kActive, "active"},       {kSelected, "selected"}};
    std::string text;
    for (const auto& [bit, word] : words)
        if (states & bit) text += std::string(text.empty() ? "" : " ") + word;
    return text;
}

// "a11y ID" answers ROLE|NAME|STATES of a control; "a11y" alone, the tree's top nodes.
void AddAccessibilityCommands(Driver& driver) {
    driver.AddCommand("a11y", [](const Driver::Args& a) {
        if (a.empty()) {
            std::string answer;
            for (const AccessibleNode& node : AccessibleTree())
                answer += std::string(answer.empty() ? "" : ";") + RoleName(node.role) + "|" + node.name + "|" + StateWords(node.states);
            return answer;
        }
        const AccessibleNode node = DescribeWindow(Driver::Control(a[0]));
        return std::string(RoleName(node.role)) + "|" + node.name + "|" + StateWords(node.states);
    });
    driver.AddCommand("a11ytext", [](const Driver::Args& a) {
        const AccessibleNode node = DescribeWindow(Driver::Control(a.at(0)));
        return node.text + "|" + std::to_string(node.caret) + "|" + std::to_string(node.selectionStart) + "-" + std::to_string(node.selectionEnd);
    });
    driver.AddCommand("foreground", [](const Driver::Args& a) {
        WindowManager::Instance().SetForeground(a.at(0) == "1");
        return std::string("ok");
    });
    driver.AddCommand("a11yclick", [](const Driver::Args& a) {
        HWND control = Driver::Control(a.at(0));
        return std::string(DoClickAction(control) ? "ok" : "refused");
    });
}

TEST(Accessibility, EveryControlHasItsRoleNameAndStates) {
    struct Case {
        int id;
        const char* expected;
    };
    const Case cases[] = {
        {1000, "entry|矩阵的 X 方向像素(Pixel):|enabled focusable editable"},
        {1001, "entry|矩阵的 Y 方向像素(Pixel):|enabled focusable editable"},
        {1002, "entry|矩阵的 X 方向长度(CM):|focusable editable"},
        {1004, "entry|矩阵的对角线长度(Inch):|enabled focusable editable"},
        {1005, "entry|当前屏幕的 PPI [图像的 DPI ](点/平方英寸):|enabled focusable read-only"},
        {1006, "entry|当前屏幕的 PPC [图像的 DPC ](点/平方厘米):|enabled focusable read-only"},
        // Where a row's label speaks for the field beside (the actual capacity, 2 to the N, the
        // colour depth), the other field has a name of its own: no two fields sound alike.
        {1016, "entry|硬盘,U盘,SD卡等存储介质的标称 G 数:|enabled focusable editable"},
        {1010, "entry|硬盘,U盘,SD卡等存储介质在电脑中的实际 G 数:|enabled focusable read-only"},
        {1008, "entry|N (求 2 的 N 次方):|focusable editable"},
        {1009, "entry|2 的 N 次方等于几:|focusable read-only"},
        {1007, "entry|色深,一个数是多少位( 2 的多少次方):|focusable editable"},
        {1013, "entry|颜色数 (2 的位数次方):|focusable read-only"},
        {1, "push button|确定|enabled focusable focused default"},
        {2, "push button|取消|enabled focusable"},
        {1014, "radio button|周长|focusable"},
    };
    std::string script;
    for (const Case& c : cases) script += "a11y " + std::to_string(c.id) + "\n";
    const DriverRun run = RunDotwise(script, AddAccessibilityCommands);
    const std::vector<std::string> answers = Answers(run);
    ASSERT_EQ(answers.size(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(answers[i], cases[i].expected) << cases[i].id;
}

// While another program has the keyboard, the dialog is not active and its button not
// focused: a reader hears both again when the keyboard comes back.
TEST(Accessibility, TheDialogIsActiveAndItsControlFocusedOnlyWhileTheProgramHasTheKeyboard) {
    const DriverRun run = RunDotwise("a11y\na11y 1\nforeground 0\na11y\na11y 1\nforeground 1\na11y\na11y 1\n", AddAccessibilityCommands);
    const std::vector<std::string> answers = Answers(run);
    ASSERT_EQ(answers.size(), 8u);
    const std::string dialog = "dialog|Dotwise - 像素密度与容量计算 (Dotwise 开发组, 2026)|";
    EXPECT_EQ(answers[0], dialog + "enabled active");
    EXPECT_EQ(answers[1], "push button|确定|enabled focusable focused default");
    EXPECT_EQ(answers[3], dialog + "enabled");
    EXPECT_EQ(answers[4], "push button|确定|enabled focusable default");
    EXPECT_EQ(answers[6], answers[0]);
    EXPECT_EQ(answers[7], answers[1]);
}

// The three badges share one tooltip: each is named apart, the tooltip its description.
TEST(Accessibility, BadgesAreImagesNamedApartDescribedByTheirTooltipAndClickLikeTheMouse) {
    const auto addCommands = [](Driver& driver) {
        AddAccessibilityCommands(driver);
        driver.AddCommand("a11ydescription", [](const Driver::Args& a) { return DescribeWindow(Driver::Control(a.at(0))).description; });
    };
    const DriverRun run = RunDotwise("a11y 1017\na11y 1018\na11y 1019\na11ydescription 1019\na11yclick 1018\na11y\n", addCommands);
    const std::vector<std::string> answers = Answers(run);
    ASSERT_EQ(answers.size(), 6u);
    EXPECT_EQ(answers[0], "image|织唛相关图像处理程序图标|enabled");
    EXPECT_EQ(answers[1], "image|手工制作的印章|enabled");
    EXPECT_EQ(answers[2], "image|制版优化主程序图标|enabled");
    EXPECT_EQ(answers[3], "Marvo个人程序...(联系方式从略)");
    EXPECT_EQ(answers[4], "ok");
    ASSERT_EQ(MessageBoxes(run).size(), 1u);
    EXPECT_EQ(answers[5].rfind("dialog|", 0), 0u);
}

TEST(Accessibility, AFieldsTextCaretAndSelectionAreInCharacters) {
    const DriverRun run = RunDotwise("focus 1004\na11ytext 1004\nkey End\na11ytext 1004\nrclick 1004\na11y\n", AddAccessibilityCommands);
    const std::vector<std::string> answers = Answers(run);
    ASSERT_EQ(answers.size(), 6u);
    EXPECT_EQ(answers[1], "4.5|3|0-3");
    EXPECT_EQ(answers[3], "4.5|3|3-3");
    // An open menu is a node of its own, after the dialogs, named as the desktop names a field's menu.
    EXPECT_NE(answers[5].find(";menu|上下文|enabled"), std::string::npos) << answers[5];
}

// A menu item is named without its bracketed mnemonic or its shortcut, which are its keys;
// the system menu is named as such, and reached through F10 as the dialog says; the About
// box's icon is named by the program.
TEST(Accessibility, MenuItemsAreNamedApartFromTheirKeys) {
    const auto addCommands = [](Driver& driver) {
        AddAccessibilityCommands(driver);
        driver.AddCommand("a11ydialog", [](const Driver::Args&) { return AccessibleTree().at(0).description; });
        driver.AddCommand("a11ymenu", [](const Driver::Args&) {
            std::string answer;
            for (const AccessibleNode& top : AccessibleTree()) {
                if (top.role != AccessibleRole::Menu) continue;
                answer = top.name;
                for (const AccessibleNode& item : top.children) answer += "|" + item.name + "=" + item.keyBinding;
            }
            return answer;
        });
        driver.AddCommand("a11yicon", [](const Driver::Args&) {
            for (const AccessibleNode& top : AccessibleTree())
                for (const AccessibleNode& child : top.children)
                    if (child.role == AccessibleRole::Image && top.role == AccessibleRole::Dialog && top.name == "关于 Dotwise") return child.name;
            return std::string("none");
        });
    };
    const DriverRun run = RunDotwise("a11ydialog\nkey Alt+Space\na11ymenu\nmenu \"关于 Dotwise...\"\na11yicon\n", addCommands);
    std::vector<std::string> answers = Answers(run);
    ASSERT_EQ(answers.size(), 5u);
    EXPECT_NE(answers[0].find("F10"), std::string::npos) << answers[0];
    answers.erase(answers.begin());
    EXPECT_EQ(answers[1], "系统|移动=m;F10,m;|关闭=c;F10,c;<Alt>F4|关于 Dotwise...=a;F10,a;");
    EXPECT_EQ(answers[3], "Dotwise 应用程序");
}

}  // namespace

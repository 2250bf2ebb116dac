#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "DriverHarness.h"
#include "platform/driver/Driver.h"

namespace {

using Lines = std::vector<std::string>;

const Lines kStartState = {
    R"(1000 "1280")", R"(1001 "720")", R"(1002 "0")", R"(1003 "0")", R"(1004 "4.5")", R"(1005 "0")",   R"(1006 "0")", R"(1007 "")", R"(1008 "")",
    R"(1009 "")",     R"(1010 "")",    R"(1011 "")",  R"(1012 "")",  R"(1013 "")",    R"(1016 "320")", "focus 1",     "end",
};

TEST(CalculatorDialog, StartsWithTheDefaultsAndNoResultsYet) {
    const DriverRun run = RunDotwise("state\n");
    EXPECT_EQ(run.lines, kStartState);
    EXPECT_EQ(run.exitCode, 0);
}

TEST(CalculatorDialog, TypingAResolutionComputesDensity) {
    const DriverRun run = RunDotwise(
        "focus 1001\ntype 1080\nfocus 1000\ntype 1920\ntext 1005\ntext 1006\n"
        "focus 1016\ntype 320\ntext 1010\ntype 1\ntext 1010\ntext 1005\n");
    EXPECT_EQ(Answers(run), (Lines{"ok", "ok", "ok", "ok", R"("489")", R"("192")", "ok", "ok", R"("298.02 GB")", "ok", R"("")", R"("489")"}));
    EXPECT_TRUE(MessageBoxes(run).empty());
}

TEST(CalculatorDialog, WriteBackDropsLeadingZerosAndBlanks) {
    const DriverRun run = RunDotwise(
        "focus 1000\ntype 01\ntext 1000\n"
        "key Home\ntype \" \"\ntext 1000\nkey End\ntype \" \"\ntext 1000\n");
    const Lines answers = Answers(run);
    EXPECT_EQ(answers[2], R"("1")");
    EXPECT_EQ(answers[5], R"("1")");
    EXPECT_EQ(answers[8], R"("1")");
    EXPECT_TRUE(MessageBoxes(run).empty());
}

TEST(CalculatorDialog, AnUnreadableFieldPromptsAndGetsItsLastValueBack) {
    const DriverRun run = RunDotwise("focus 1000\nkey Delete\nstate\nfocus 1001\ntype y\ntext 1001\n");
    EXPECT_EQ(MessageBoxes(run), (Lines{R"(messagebox "dotwise" "请输入一个正整数。")", R"(messagebox "dotwise" "请输入一个正整数。")"}));
    const Lines answers = Answers(run);
    EXPECT_EQ(answers[2], R"(1000 "1280")");
    EXPECT_EQ(answers.back(), R"("720")");
}

TEST(CalculatorDialog, ReadingStopsAtTheUnreadableField) {
    // PPI is read after X: with X unreadable its bad text is never read, so
    // there is one prompt, and the write-back mends both fields.
    const DriverRun run = RunDotwise("settext 1005 abc\nfocus 1000\ntype q\ntext 1000\ntext 1005\n");
    EXPECT_EQ(MessageBoxes(run).size(), 1u);
    EXPECT_EQ(Answers(run)[3], R"("1280")");
    EXPECT_EQ(Answers(run)[4], R"("326")");
}

TEST(CalculatorDialog, FocusByTabOrClickSelectsTheWholeField) {
    const DriverRun run = RunDotwise(
        "key Tab\nkey Tab\nsel 1000\nkey Tab\nsel 1001\nkey Tab\nsel 1004\n"
        "click 1016 1\nsel 1016\nclick 1000 2\nsel 1000\n");
    const Lines answers = Answers(run);
    EXPECT_EQ(answers[2], "0 4");
    EXPECT_EQ(answers[4], "0 3");
    EXPECT_EQ(answers[6], "0 3");
    EXPECT_EQ(answers[8], "0 3");
    EXPECT_EQ(answers[10], "0 4");
}

TEST(CalculatorDialog, OutputsCanBeSelectedAndCopiedButNotEdited) {
    const DriverRun run = RunDotwise(
        "focus 1000\ntype 1920\nfocus 1001\ntype 1080\nfocus 1005\nsel 1005\nkey Ctrl+C\nclipboard\n"
        "type 7\nkey Backspace\nkey Delete\ntext 1005\nrclick 1006\nmenu 全选\nkey Ctrl+C\nclipboard\n");
    const Lines answers = Answers(run);
    EXPECT_EQ(answers[5], "0 3");
    EXPECT_EQ(answers[7], R"("489")");
    EXPECT_EQ(answers[11], R"("489")");
    EXPECT_EQ(answers[15], R"("192")");
}

TEST(CalculatorDialog, EnterWithAnUnreadableFieldPromptsAndStaysOpen) {
    const DriverRun run = RunDotwise("settext 1005 abc\nkey Enter\nstate\n");
    EXPECT_EQ(MessageBoxes(run).size(), 1u);
    const Lines answers = Answers(run);
    EXPECT_EQ(answers.back(), "end") << "the dialog answered after Enter";
    EXPECT_NE(std::find(answers.begin(), answers.end(), "focus 1005"), answers.end());
}

TEST(CalculatorDialog, EnterEscapeAndTheCloseBoxEndTheProgram) {
    for (const char* closing : {"key Enter", "key Escape", "quit", "click 2", "click 1"}) {
        const DriverRun run = RunDotwise(std::string(closing) + "\nstate\n");
        EXPECT_EQ(run.lines, Lines{"ok"}) << closing;
        EXPECT_EQ(run.exitCode, 0);
    }
}

TEST(CalculatorDialog, EndOfInputClosesTheDialog) {
    const DriverRun run = RunDotwise("");
    EXPECT_TRUE(run.lines.empty());
    EXPECT_EQ(run.exitCode, 0);
}

TEST(CalculatorDialog, DigitsTypedOverTheSelectedDiagonalReadInTheirOrder) {
    // Typing 0, 5, 3 over the selected 4.5 once read 5.3, and 7, 8 behind the 0 of 0.5 read 7.8.
    const DriverRun run = RunDotwise(
        "focus 1004\ntype 053\ntext 1004\nshown 1004\ntext 1005\n"
        "settext 1004 0.5\nclick 1004 1\ntype 78\ntext 1004\n");
    const Lines answers = Answers(run);
    EXPECT_EQ(answers[2], R"("53.0")");
    EXPECT_EQ(answers[3], R"("53.0")");
    EXPECT_EQ(answers[4], R"("27")");
    EXPECT_EQ(answers[8], R"("78.5")");
}

// Minimised, the dialog paints its icon, and dragging it shows that same icon.
TEST(MainDialog, MinimisedItPaintsAndDragsItsOwnIcon) {
    const DriverRun run = RunDotwise("minimise\nfocus 1000\ntype 7\ntext 1000\n", [](Driver& driver) {
        driver.AddCommand("minimise", [](const Driver::Args&) {
            HWND dialog = GetActiveWindow();
            ShowWindow(dialog, SW_MINIMIZE);
            const bool iconic = IsIconic(dialog);
            SendMessage(dialog, WM_PAINT, 0, 0);
            const LRESULT dragged = SendMessage(dialog, WM_QUERYDRAGICON, 0, 0);
            const LRESULT icon = SendMessage(dialog, WM_GETICON, ICON_BIG, 0);
            ShowWindow(dialog, SW_RESTORE);
            return std::string(iconic ? "minimised" : "shown") + (dragged != 0 && dragged == icon ? ", its icon" : ", another icon");
        });
    });
    EXPECT_EQ(Answers(run), (Lines{"minimised, its icon", "ok", "ok", R"("7")"}));
}

// One variable of the environment, for as long as it is in scope.
struct ScopedVariable {
    ScopedVariable(const char* variable, const std::string& value) : name(variable) { ::setenv(variable, value.c_str(), 1); }
    ~ScopedVariable() { ::unsetenv(name); }
    const char* name;
};

// x y width height, as the driver's rect answers.
std::vector<int> RectOf(const std::string& answer) {
    std::vector<int> r(4, -1);
    std::sscanf(answer.c_str(), "%d %d %d %d", &r[0], &r[1], &r[2], &r[3]);
    return r;
}

TEST(FieldMenu, OpensAtThePointerOrFromTheKeyboardAtTheFieldsMiddle) {
    const Lines answers = Answers(RunDotwise("rect 1001\nrclick 1001\nrect menu\nkey Escape\nfocus 1004\nkey Apps\nrect menu\nrect 1004\n"));
    const std::vector<int> field = RectOf(answers[0]), atPointer = RectOf(answers[2]);
    EXPECT_EQ(atPointer[0], field[0] + field[2] / 2) << "the mouse's menu opens where the pointer is";
    EXPECT_EQ(atPointer[1], field[1] + field[3] / 2);
    const std::vector<int> diagonal = RectOf(answers[7]), fromKeys = RectOf(answers[6]);
    EXPECT_NEAR(fromKeys[0], diagonal[0] + diagonal[2] / 2, 2) << "the keyboard's menu opens at the field's middle";
    EXPECT_NEAR(fromKeys[1], diagonal[1] + diagonal[3] / 2, 2);
}

TEST(FieldMenu, AMessageBoxClosesIt) {
    const DriverRun run = RunDotwise("rclick 1001\nsettext 1016 x\nrect menu\nfocus 1016\nkey End\ntype 5\ntext 1016\n");
    EXPECT_EQ(MessageBoxes(run).size(), 1u);
    const Lines answers = Answers(run);
    EXPECT_EQ(answers[2], "error: no menu is open");
    EXPECT_EQ(answers[6], R"("3205")") << "typing after the box reaches the field, not a menu";
}

TEST(HostileNumberFormat, ExtremeValuesStartAndTheDiagonalStillWorks) {
    std::string quotes;
    for (int i = 0; i < 10000; ++i) quotes += "\xE2\x80\x99";
    const std::pair<const char*, std::string> formats[] = {
        {"DOTWISE_LOCALE_SGROUPING", "2147483647"},
        {"DOTWISE_LOCALE_SGROUPING", "-2147483648"},
        {"DOTWISE_LOCALE_IDIGITS", "2147483647"},
        {"DOTWISE_LOCALE_STHOUSAND", quotes},
    };
    for (const auto& [name, value] : formats) {
        // Groups of one make a long separator count on every keystroke.
        const ScopedVariable grouping("DOTWISE_LOCALE_SGROUPING", "1");
        const ScopedVariable format(name, value);
        const DriverRun run = RunDotwise("settext 1004 12\nfocus 1004\ntype 123456\ntext 1004\ntext 1005\n");
        const Lines answers = Answers(run);
        ASSERT_EQ(answers.size(), 5u) << name;
        EXPECT_EQ(answers[3], R"("123456.0")") << name;
        EXPECT_EQ(answers[4], R"("0")") << name;
    }
}

TEST(Driver, AnswersCarryTheWholeText) {
    const std::string text(5000, 'x');
    const DriverRun run = RunDotwise("settext 1010 " + text + "\ntext 1010\n");
    EXPECT_EQ(Answers(run)[1], "\"" + text + "\"");
}

TEST(Driver, AnswersErrorsAndGoesOn) {
    const DriverRun run = RunDotwise("bogus\ntext 9999\nkey Hyper+Q\ntype \"unclosed\ntext 1001\n");
    const Lines answers = Answers(run);
    ASSERT_EQ(answers.size(), 5u);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(answers[i].rfind("error: ", 0), 0u) << answers[i];
    EXPECT_EQ(answers[4], R"("720")");
}

TEST(Driver, QuotesWhatItPrints) {
    const DriverRun run = RunDotwise("setclipboard \"a\\\"b\\\\c\\td\\x01\"\nclipboard\n");
    EXPECT_EQ(Answers(run)[1], R"("a\"b\\c\td\x01")");
}

}  // namespace

#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "DriverHarness.h"
#include "platform/window_system/LocaleInfo.h"

namespace {

using Lines = std::vector<std::string>;

// The calculator's settings: '.', ',' groups of 3, leading zero, sign before the number.
std::map<LCTYPE, std::string> CalculatorLocale(const char* negativeMode = "1", const char* decimal = ".", const char* group = ",") {
    return {{LOCALE_SDECIMAL, decimal}, {LOCALE_STHOUSAND, group},         {LOCALE_SGROUPING, "3;0"},  {LOCALE_IDIGITS, "2"},
            {LOCALE_ILZERO, "1"},       {LOCALE_INEGNUMBER, negativeMode}, {LOCALE_SNEGATIVESIGN, "-"}};
}

DriverRun RunWithLocale(const std::string& script, const std::map<LCTYPE, std::string>& answers = CalculatorLocale()) {
    const FixedLocaleSource source(answers);
    SetLocaleSource(&source);
    DriverRun run = RunDotwise(script);
    SetLocaleSource(nullptr);
    return run;
}

TEST(DiagonalField, TypingOverTheSelectedValueRecalculates) {
    const DriverRun run = RunWithLocale("text 1004\nclick 1004 1\nsel 1004\ntype 6\nshown 1004\ncaret 1004\ntext 1005\ntext 1006\n");
    EXPECT_EQ(Answers(run), (Lines{R"("4.5")", "ok", "0 3", "ok", R"("6.0")", "1", R"("244")", R"("96")"}));
    EXPECT_TRUE(MessageBoxes(run).empty());
}

TEST(DiagonalField, MinusShowsANegativeDiagonalInRedAndZeroesTheDensity) {
    const DriverRun run = RunWithLocale("click 1004\ntype -\nshown 1004\ncolor 1004\ntext 1004\ntext 1005\ntext 1006\n");
    EXPECT_EQ(Answers(run), (Lines{"ok", "ok", R"("-4.5")", "#FF0000", R"("-4.5")", R"("0")", R"("0")"}));
}

TEST(DiagonalField, MinusOnZeroIsClearedByTheWriteBack) {
    const DriverRun run = RunWithLocale("click 1004\ntype 0\nshown 1004\nkey Home\ntype -\nshown 1004\ncolor 1004\ntext 1004\n");
    EXPECT_EQ(Answers(run), (Lines{"ok", "ok", R"("0.0")", "ok", "ok", R"("0.0")", "#000000", R"("0.0")"}));
}

TEST(DiagonalField, BackspaceAndDeleteAroundTheSeparator) {
    const DriverRun run = RunWithLocale(
        "click 1004\nkey End\nkey Left\nkey Backspace\nshown 1004\ncaret 1004\nkey Delete\nshown 1004\ncaret 1004\n"
        "key Backspace\nshown 1004\n");
    const Lines answers = Answers(run);
    EXPECT_EQ(answers[4], R"("4.5")");
    EXPECT_EQ(answers[5], "1");
    EXPECT_EQ(answers[7], R"("4.5")");
    EXPECT_EQ(answers[8], "1");
    EXPECT_EQ(answers[10], R"("0.5")");
}

TEST(DiagonalField, ShiftSelections) {
    const DriverRun run = RunWithLocale(
        "click 1004\ntype 1234\nkey Home\nkey Right\nkey Right\nkey Shift+Left\nsel 1004\ncaret 1004\n"
        "key Shift+Right\nkey Shift+Right\nsel 1004\nkey Shift+End\nsel 1004\nkey Shift+Home\nsel 1004\ncaret 1004\n");
    const Lines answers = Answers(run);
    ASSERT_EQ(answers[6], "2 3") << "on 1,234.0, one step left from between 2 and 3 selects the 2";
    EXPECT_EQ(answers[7], "2");
    EXPECT_EQ(answers[10], "3 4");
    EXPECT_EQ(answers[12], "3 7");
    EXPECT_EQ(answers[14], "0 3");
    EXPECT_EQ(answers[15], "0");
}

TEST(DiagonalField, PasteCopyAndSetText) {
    const DriverRun run = RunWithLocale(
        "focus 1004\nsettext 1004 12.5\nshown 1004\nsetsel 1004 1 3\nsetclipboard 7\nkey Ctrl+V\nshown 1004\n"
        "rclick 1004\nmenu 粘贴\nshown 1004\ncaret 1004\ntext 1005\n"
        "settext 1004 12.5\nsetclipboard 1,234\nsetsel 1004 0 0\nrclick 1004\nmenu 粘贴\nshown 1004\n"
        "setsel 1004 0 -1\nsetclipboard 3.14159\nrclick 1004\nmenu 粘贴\nshown 1004\n"
        "settext 1004 1234.5\nsetsel 1004 0 5\nrclick 1004\nmenu 复制\nclipboard\n"
        "settext 1004 7.25\nshown 1004\n");
    const Lines answers = Answers(run);
    ASSERT_EQ(answers.size(), 30u);
    EXPECT_EQ(answers[1], "1");
    EXPECT_EQ(answers[2], R"("12.5")");
    EXPECT_EQ(answers[6], R"("12.5")") << "Ctrl+V reaches the control as a control character, which it drops";
    EXPECT_EQ(answers[9], R"("175.0")") << "7 pasted over the selected 2.";
    EXPECT_EQ(answers[10], "1");
    EXPECT_EQ(answers[11], R"("8")") << "1280 x 720 at 175 inches";
    EXPECT_EQ(answers[17], R"("12.5")") << "1,234 is refused";
    EXPECT_EQ(answers[22], R"("3.1")");
    EXPECT_EQ(answers[27], R"("1234")") << "the context menu's Copy puts value characters only";
    EXPECT_EQ(answers[28], "1");
    EXPECT_EQ(answers[29], R"("7.2")");
}

TEST(DiagonalField, SelectAllOnTheFourLayouts) {
    const std::tuple<const char*, const char*, const char*> rows[] = {
        {"1", "12.5", "0 4"},
        {"1", "-12.5", "1 5"},
        {"3", "-12.5", "0 5"},
        {"0", "-12.5", "1 5"},
    };
    for (const auto& [mode, value, sel] : rows) {
        const DriverRun run = RunWithLocale(std::string("settext 1004 ") + value + "\nsetsel 1004 0 -1\nsel 1004\n", CalculatorLocale(mode));
        EXPECT_EQ(Answers(run).back(), sel) << "mode " << mode << " " << value;
    }
}

TEST(DiagonalField, ALocaleWithACommaSeparatorStaysUsable) {
    const DriverRun run =
        RunWithLocale("shown 1004\nclick 1004\ntype 6\nshown 1004\ntext 1005\ntype 12345\nshown 1004\ntext 1004\n", CalculatorLocale("1", ",", "."));
    EXPECT_EQ(Answers(run), (Lines{R"("4,5")", "ok", "ok", R"("6,0")", R"("244")", "ok", R"("612.345,0")", R"("612345,0")"}));
    EXPECT_TRUE(MessageBoxes(run).empty());
}

TEST(DiagonalField, LeadingZeroOffShowsPointFiveAndReadsZeroPointFive) {
    auto locale = CalculatorLocale();
    locale[LOCALE_ILZERO] = "0";
    const DriverRun run = RunWithLocale("settext 1004 0.5\nshown 1004\ntext 1004\ntext 1005\n", locale);
    EXPECT_EQ(Answers(run), (Lines{"1", R"(".5")", R"("0.5")", R"("2937")"}));
}

}  // namespace

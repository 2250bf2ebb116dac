#include <gtest/gtest.h>

#include "NumericEditHarness.h"
#include "platform/window_system/WindowApi.h"

namespace {

std::string Display(const NumericSettings& s, const char* text) {
    auto edit = MakeNumericEdit(s);
    EXPECT_TRUE(edit->SetValueText(text, FALSE, TRUE)) << text;
    return edit->GetDisplayText();
}

TEST(NumericDisplay, GroupingOfTheIntegersOneToSevenDigits) {
    const char* numbers[] = {"1", "12", "123", "1234", "12345", "123456", "1234567"};
    const std::vector<std::vector<std::string>> expected = {
        {"1", "12", "123", "1234", "12345", "123456", "1234567"},
        {"1", "1,2", "1,2,3", "1,2,3,4", "1,2,3,4,5", "1,2,3,4,5,6", "1,2,3,4,5,6,7"},
        {"1", "12", "1,23", "12,34", "1,23,45", "12,34,56", "1,23,45,67"},
        {"1", "12", "123", "1,234", "12,345", "123,456", "1,234,567"},
        {"1", "12", "123", "1234", "1,2345", "12,3456", "123,4567"},
    };
    for (int size = 0; size <= 4; ++size) {
        NumericSettings s;
        s.places = 0;
        s.groupSize = size;
        for (int i = 0; i < 7; ++i) EXPECT_EQ(Display(s, numbers[i]), expected[size][i]) << "group size " << size;
    }
}

TEST(NumericDisplay, GroupSeparatorsOfNoneOrSeveralCharacters) {
    NumericSettings s;
    s.groupSep = "";
    EXPECT_EQ(Display(s, "1234567.8"), "1234567.8");
    s.groupSep = "<>";
    EXPECT_EQ(Display(s, "1234.5"), "1<>234.5");
    NumericSettings zeros;
    EXPECT_EQ(Display(zeros, "0.5"), "0.5") << "a placeholder counts as an integer digit";
}

TEST(NumericDisplay, TheLayoutTable) {
    const char* plain[] = {"(1,234,567.8)", "(1,234,567.8)", "(1,234,567.8)", "(1,234,567.8)",
                           "-1,234,567.8",  "-1,234,567.8",  "1,234,567.8-",  "1,234,567.8-"};
    const char* decorated[] = {"$ (1,234,567.8) kg", "($ 1,234,567.8) kg", "($ 1,234,567.8 kg)", "$ (1,234,567.8 kg)",
                               "$ -1,234,567.8 kg",  "-$ 1,234,567.8 kg",  "$ 1,234,567.8- kg",  "$ 1,234,567.8 kg-"};
    for (int layout = 0; layout < 8; ++layout) {
        NumericSettings s;
        s.negFormat = layout;
        EXPECT_EQ(Display(s, "-1234567.8"), plain[layout]) << layout;
        EXPECT_EQ(Display(s, "1234567.8"), "1,234,567.8") << layout;
        s.prefix = "$";
        s.suffix = "kg";
        EXPECT_EQ(Display(s, "-1234567.8"), decorated[layout]) << layout;
        EXPECT_EQ(Display(s, "1234567.8"), "$ 1,234,567.8 kg") << layout;
    }
}

TEST(NumericDisplay, BracketStyles) {
    const std::pair<int, const char*> rows[] = {{NBR_ROUND, "(12.5)"}, {NBR_CURLY, "{12.5}"}, {NBR_SQUARE, "[12.5]"}, {99, "-12.5-"}};
    for (const auto& [style, display] : rows) {
        NumericSettings s;
        s.negFormat = 0;
        s.bracketStyle = style;
        EXPECT_EQ(Display(s, "-12.5"), display) << style;
    }
    NumericSettings european;
    european.decimal = ',';
    european.groupSep = ".";
    european.negFormat = 0;
    european.bracketStyle = NBR_CURLY;
    european.places = 2;
    EXPECT_EQ(Display(european, "-1234,5"), "{1.234,50}");
}

TEST(NumericDisplay, ANegativeZeroUsesThePositiveLayoutInTheNegativeColour) {
    auto edit = MakeNumericEdit();
    edit->SetValueText("-0", FALSE, TRUE);
    EXPECT_EQ(edit->GetDisplayText(), "0.0");
    EXPECT_EQ(edit->GetTextColor(), edit->NegativeColor());
    edit->SetValueText("0", FALSE, TRUE);
    EXPECT_EQ(edit->GetTextColor(), GetSysColor(COLOR_WINDOWTEXT));
}

TEST(NumericDisplay, MappingOnANegativeDisplay) {
    auto edit = MakeNumericEdit();
    edit->SetValueText("-1234567.8", FALSE, TRUE);
    ASSERT_EQ(edit->GetDisplayText(), "-1,234,567.8");
    const int toValue[] = {0, 0, 1, 1, 2, 3, 4, 4, 5, 6, 7, 8, 9, -1};
    for (int d = 0; d < 14; ++d) EXPECT_EQ(edit->DisplayToValue(d), toValue[d]) << "display " << d;
    EXPECT_EQ(edit->DisplayToValue(-1), -1);
    const int toDisplay[] = {-1, 0, 1, 3, 4, 5, 7, 8, 9, 10, 11, 12, 12};
    for (int v = -2; v <= 10; ++v) EXPECT_EQ(edit->ValueToDisplay(v), toDisplay[v + 2]) << "value " << v;
}

TEST(NumericDisplay, MappingOnAPositiveDisplay) {
    auto edit = MakeNumericEdit();
    edit->SetValueText("1234567.8", FALSE, TRUE);
    const int toDisplay[] = {0, 2, 3, 4, 6, 7, 8, 9, 10, 11};
    for (int v = 0; v <= 9; ++v) EXPECT_EQ(edit->ValueToDisplay(v), toDisplay[v]) << "value " << v;
    EXPECT_EQ(edit->ValueToDisplay(-1), -1);
}

TEST(NumericDisplay, MappingEdges) {
    NumericSettings brackets;
    brackets.negFormat = 0;
    auto edit = MakeNumericEdit(brackets);
    edit->SetValueText("-1234567.8", FALSE, TRUE);
    EXPECT_EQ(edit->ValueToDisplay(edit->GetValueCount()), 12) << "the end of the value stands inside the brackets";

    NumericSettings noLeadingZero;
    noLeadingZero.leadingZero = NLZ_NONE;
    edit = MakeNumericEdit(noLeadingZero);
    edit->SetValueText(".5", FALSE, TRUE);
    EXPECT_EQ(edit->GetDisplayText(), ".5");
    EXPECT_EQ(edit->ValueToDisplay(0), 0) << "the separator is the first value position";

    NumericSettings integer;
    integer.places = 0;
    edit = MakeNumericEdit(integer);
    EXPECT_EQ(edit->GetDisplayText(), "0");
    EXPECT_EQ(edit->GetValueCount(), 1);

    // Prefix and suffix characters that look like value characters count as value positions.
    NumericSettings digits;
    digits.prefix = "1";
    edit = MakeNumericEdit(digits);
    edit->SetValueText("5", FALSE, TRUE);
    ASSERT_EQ(edit->GetDisplayText(), "1 5.0");
    EXPECT_EQ(edit->DisplayToValue(2), 1);
}

}  // namespace

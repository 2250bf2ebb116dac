#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <tuple>

#include "NumericEditHarness.h"

namespace {

using Answers = std::map<LCTYPE, std::string>;

TEST(NumericLocale, TheWorkedExample) {
    const auto edit = MakeNumericEdit(Answers{{LOCALE_SDECIMAL, "."},
                                              {LOCALE_STHOUSAND, ","},
                                              {LOCALE_SGROUPING, "3;0"},
                                              {LOCALE_IDIGITS, "2"},
                                              {LOCALE_ILZERO, "1"},
                                              {LOCALE_INEGNUMBER, "1"},
                                              {LOCALE_SNEGATIVESIGN, "-"}});
    EXPECT_EQ(edit->Decimal(), '.');
    EXPECT_EQ(edit->GroupSep(), ",");
    EXPECT_EQ(edit->GroupSize(), 3);
    EXPECT_EQ(edit->DecimalPlaces(), 2);
    EXPECT_EQ(edit->LeadingZero(), NLZ_SHOW);
    EXPECT_EQ(edit->NegFormat(), 4);
    EXPECT_EQ(edit->GetValueText(TRUE), "#.##");
    EXPECT_EQ(edit->GetDisplayText(), "0.00");
}

TEST(NumericLocale, MissingAnswersKeepTheInitialValues) {
    const auto edit = MakeNumericEdit(Answers{});
    EXPECT_EQ(edit->Decimal(), '.');
    EXPECT_EQ(edit->GroupSep(), "'");
    EXPECT_EQ(edit->GroupSize(), 3);
    EXPECT_EQ(edit->DecimalPlaces(), 0);
    EXPECT_EQ(edit->LeadingZero(), NLZ_SHOW);
    EXPECT_EQ(edit->NegFormat(), 5);
    EXPECT_EQ(edit->NegSign(), '-');
    EXPECT_EQ(edit->GetValueText(TRUE), "#");
    EXPECT_EQ(edit->GetDisplayText(), "0");
}

TEST(NumericLocale, UnreadableNumbersReadAsZero) {
    const auto edit = MakeNumericEdit(Answers{{LOCALE_SGROUPING, "x"}, {LOCALE_IDIGITS, "two"}, {LOCALE_ILZERO, "?"}, {LOCALE_INEGNUMBER, ""}});
    EXPECT_EQ(edit->GroupSize(), 0);
    EXPECT_EQ(edit->DecimalPlaces(), 0);
    EXPECT_EQ(edit->LeadingZero(), NLZ_NONE);
    EXPECT_EQ(edit->NegFormat(), 0);
}

TEST(NumericLocale, GroupingTakesTheFirstSizeOnly) {
    for (const auto& [text, size] : std::map<std::string, int>{{"3;2;0", 3}, {"3;0", 3}, {" 4", 4}, {"2", 2}, {"0", 0}, {";3", 0}})
        EXPECT_EQ(MakeNumericEdit(Answers{{LOCALE_SGROUPING, text}})->GroupSize(), size) << text;
}

TEST(NumericLocale, ExtremeGroupSizesTurnGroupingOff) {
    // Sizes past what any locale uses once overflowed the display's group counter.
    for (const char* text : {"2147483647", "2147483646", "99999999999", "-2147483648", "-1", "10"}) {
        auto edit = MakeNumericEdit(Answers{{LOCALE_SGROUPING, text}});
        EXPECT_EQ(edit->GroupSize(), 0) << text;
        ASSERT_TRUE(edit->SetValueText("123456", FALSE, TRUE)) << text;
        EXPECT_EQ(edit->GetDisplayText(), "123456") << text;
    }
    EXPECT_EQ(MakeNumericEdit(Answers{{LOCALE_SGROUPING, "9;0"}})->GroupSize(), 9);
}

TEST(NumericLocale, DecimalPlacesAreClampedToNine) {
    // Ten million places once took most of a gigabyte to show an empty value.
    const std::pair<const char*, int> rows[] = {{"10000000", 9}, {"2147483647", 9}, {"99999999999", 9}, {"9", 9}, {"-5", 0}, {"-2147483648", 0}};
    for (const auto& [text, places] : rows) {
        const auto edit = MakeNumericEdit(Answers{{LOCALE_IDIGITS, text}});
        EXPECT_EQ(edit->DecimalPlaces(), places) << text;
        EXPECT_EQ(edit->GetDisplayText().size(), places == 0 ? 1u : 2u + static_cast<std::size_t>(places)) << text;
    }
}

TEST(NumericLocale, ALongGroupSeparatorKeepsItsFirstThreeCharacters) {
    // Ten thousand characters made every keystroke re-compose megabytes.
    std::string quotes;
    for (int i = 0; i < 10000; ++i) quotes += "\xE2\x80\x99";
    const std::pair<std::string, std::string> rows[] = {
        {quotes, "\xE2\x80\x99\xE2\x80\x99\xE2\x80\x99"}, {"abcd", "abc"}, {"ab", "ab"}, {"", ""}, {"\xC2\xA0xyz", "\xC2\xA0xy"}};
    for (const auto& [answer, kept] : rows) EXPECT_EQ(MakeNumericEdit(Answers{{LOCALE_STHOUSAND, answer}})->GroupSep(), kept);
}

TEST(NumericLocale, ThePosixSourceMendsInvalidUtf8Once) {
    const PosixLocaleSource posix;
    ::setenv("DOTWISE_LOCALE_STHOUSAND", "\xff\xe2\x80", 1);
    EXPECT_EQ(posix.Query(LOCALE_STHOUSAND), "\xEF\xBF\xBD\xEF\xBF\xBD") << "a stray byte and a cut-off character";
    ::setenv("DOTWISE_LOCALE_STHOUSAND",
             "a\xC0\xAF"
             "b",
             1);
    EXPECT_EQ(posix.Query(LOCALE_STHOUSAND),
              "a\xEF\xBF\xBD\xEF\xBF\xBD"
              "b")
        << "an overlong form";
    ::unsetenv("DOTWISE_LOCALE_STHOUSAND");
}

TEST(NumericLocale, NegativeNumberModesMapOntoLayouts) {
    const std::pair<const char*, int> rows[] = {{"0", 0}, {"1", 4}, {"2", 4}, {"3", 6}, {"4", 6}, {"5", 5}, {"9", 5}, {"-1", 5}};
    for (const auto& [mode, layout] : rows) EXPECT_EQ(MakeNumericEdit(Answers{{LOCALE_INEGNUMBER, mode}})->NegFormat(), layout) << mode;
}

TEST(NumericLocale, OneCharacterSettingsNeverTakeAZeroOrHalfACharacter) {
    // Empty answers and multi-byte characters (a fullwidth comma, a minus sign) keep the initial values.
    for (const char* answer : {"", "，", "−"}) {
        const auto edit = MakeNumericEdit(Answers{{LOCALE_SDECIMAL, answer}, {LOCALE_SNEGATIVESIGN, answer}});
        EXPECT_EQ(edit->Decimal(), '.') << answer;
        EXPECT_EQ(edit->NegSign(), '-') << answer;
    }
}

TEST(NumericLocale, AMultiByteGroupSeparatorStaysWholeInOneElement) {
    // A narrow no-break space, as some locales group with.
    auto edit = MakeNumericEdit(Answers{{LOCALE_STHOUSAND, "\xE2\x80\xAF"}, {LOCALE_SGROUPING, "3;0"}});
    ASSERT_TRUE(edit->SetValueText("1234567", FALSE, TRUE));
    EXPECT_EQ(edit->GetDisplayText(),
              "1\xE2\x80\xAF"
              "234\xE2\x80\xAF"
              "567");
    int groups = 0;
    for (const auto& element : edit->Display()) {
        if (!element.IsKind(NDK_GROUP)) continue;
        ++groups;
        EXPECT_EQ(element.m_ch.View(), "\xE2\x80\xAF");
    }
    EXPECT_EQ(groups, 2);
    // Display indexes count bytes: the 2 stands at byte 4, behind the three-byte separator.
    EXPECT_EQ(edit->ValueToDisplay(1), 4);
    EXPECT_EQ(edit->DisplayToValue(4), 1);
    EXPECT_EQ(edit->DisplayToValue(2), 1) << "inside the separator maps to the next value position";
}

TEST(NumericLocale, ThePosixSourceAndItsOverrides) {
    const PosixLocaleSource posix;
    ::setenv("LC_ALL", "C.UTF-8", 1);
    EXPECT_EQ(posix.Query(LOCALE_SDECIMAL), ".");
    EXPECT_EQ(posix.Query(LOCALE_STHOUSAND), "");
    EXPECT_EQ(posix.Query(LOCALE_SGROUPING), "0");
    EXPECT_EQ(posix.Query(LOCALE_IDIGITS), "2");
    EXPECT_EQ(posix.Query(LOCALE_ILZERO), "1");
    EXPECT_EQ(posix.Query(LOCALE_INEGNUMBER), "1");
    EXPECT_EQ(posix.Query(LOCALE_SNEGATIVESIGN), "-");
    const std::pair<LCTYPE, const char*> overrides[] = {
        {LOCALE_SDECIMAL, ","}, {LOCALE_STHOUSAND, ""},   {LOCALE_SGROUPING, "4;0"},   {LOCALE_IDIGITS, "3"},
        {LOCALE_ILZERO, "0"},   {LOCALE_INEGNUMBER, "0"}, {LOCALE_SNEGATIVESIGN, "~"},
    };
    for (const auto& [type, value] : overrides) {
        ::setenv(PosixLocaleSource::OverrideVariable(type), value, 1);
        EXPECT_EQ(posix.Query(type), value) << PosixLocaleSource::OverrideVariable(type);
        ::unsetenv(PosixLocaleSource::OverrideVariable(type));
    }
    ::unsetenv("LC_ALL");
}

// The worked examples: texts as the window-text handler passes them.
struct ParseRow {
    const char* text;
    BOOL result;
    const char* valueText;  // with '#' placeholders
    const char* outside;    // with '0' placeholders
    BOOL negative;
    const char* display;
};

TEST(NumericValue, WorkedExamples) {
    const ParseRow rows[] = {
        {"4.5", TRUE, "4.5", "4.5", FALSE, "4.5"},    {"0", TRUE, "#.#", "0.0", FALSE, "0.0"},
        {"-12", TRUE, "12.#", "12.0", TRUE, "-12.0"}, {"1234567.891", TRUE, "1234567.8", "1234567.8", FALSE, "1,234,567.8"},
        {"", TRUE, "#.#", "0.0", FALSE, "0.0"},       {".5", TRUE, "#.5", "0.5", FALSE, "0.5"},
        {"007", TRUE, "7.#", "7.0", FALSE, "7.0"},    {"##5", TRUE, "5.#", "5.0", FALSE, "5.0"},
        {"-0", TRUE, "#.#", "0.0", TRUE, "0.0"},      {"-", TRUE, "#.#", "0.0", TRUE, "0.0"},
    };
    for (const ParseRow& r : rows) {
        auto edit = MakeNumericEdit();
        EXPECT_EQ(edit->SetValueText(r.text, FALSE, TRUE), r.result) << r.text;
        EXPECT_EQ(edit->GetValueText(TRUE), r.valueText) << r.text;
        EXPECT_EQ(edit->GetValueText(FALSE), r.outside) << r.text;
        EXPECT_EQ(edit->IsNegative(), r.negative) << r.text;
        EXPECT_EQ(edit->GetDisplayText(), r.display) << r.text;
    }
}

TEST(NumericValue, RefusedTextsChangeNothing) {
    for (const char* text : {"1.2.3", "4,5", "+4", "--4", "4 5", "4-"}) {
        auto edit = MakeNumericEdit();
        ASSERT_TRUE(edit->SetValueText("-9.5", FALSE, TRUE));
        EXPECT_FALSE(edit->SetValueText(text, FALSE, TRUE)) << text;
        EXPECT_EQ(edit->GetDisplayText(), "-9.5") << text;
        EXPECT_TRUE(edit->IsNegative());
    }
    auto edit = MakeNumericEdit();
    EXPECT_FALSE(edit->SetValueText(nullptr, FALSE, TRUE));
    EXPECT_FALSE(edit->SetValueText("-4", TRUE, TRUE)) << "with the sign kept, a '-' is just an invalid character";
}

TEST(NumericValue, OtherSettings) {
    struct Row {
        NumericSettings settings;
        const char* text;
        const char* valueText;
        const char* display;
    };
    NumericSettings two;
    two.places = 2;
    NumericSettings noLeadingZero;
    noLeadingZero.leadingZero = NLZ_NONE;
    NumericSettings integer;
    integer.places = 0;
    NumericSettings limited;
    limited.maxIntDigits = 3;
    NumericSettings fixed;
    fixed.maxIntDigits = 5;
    fixed.intMode = NIM_FIXED;
    const Row rows[] = {
        {two, ".5", "#.5#", "0.50"},
        {two, "12.345", "12.34", "12.34"},
        {noLeadingZero, ".5", ".5", ".5"},
        {noLeadingZero, "0", ".#", ".0"},
        {integer, "12.345", "12", "12"},
        {integer, ".5", "#", "0"},
        {limited, "1234567.5", "123.5", "123.5"},
        {limited, "0001234", "123.#", "123.0"},
        {fixed, "12.5", "###12.5", "00,012.5"},
        {NumericSettings{}, "#1#.#", "1#.#", "10.0"},
    };
    for (const Row& r : rows) {
        auto edit = MakeNumericEdit(r.settings);
        ASSERT_TRUE(edit->SetValueText(r.text, FALSE, TRUE)) << r.text;
        EXPECT_EQ(edit->GetValueText(TRUE), r.valueText) << r.text;
        EXPECT_EQ(edit->GetDisplayText(), r.display) << r.text;
    }
}

TEST(NumericValue, FixedIntegerModePadsAtTheEndWhenDeleting) {
    NumericSettings fixed;
    fixed.maxIntDigits = 5;
    fixed.intMode = NIM_FIXED;
    auto edit = MakeNumericEdit(fixed);
    edit->SetValueText("12.5", FALSE, TRUE);
    EXPECT_EQ(edit->DeleteRange(3, 4), 1);
    EXPECT_EQ(edit->GetValueText(TRUE), "###2#.5");
    EXPECT_EQ(edit->GetDisplayText(), "00,020.5");
}

TEST(NumericValue, OperationsOnFourPointFive) {
    struct Row {
        const char* name;
        std::function<int(CXrNumericEdit&)> op;
        int result;
        const char* after;
    };
    const Row rows[] = {
        {"insert 2 at 1", [](CXrNumericEdit& e) { return e.InsertAt(1, '2'); }, 1, "42.5"},
        {"insert . at 1", [](CXrNumericEdit& e) { return e.InsertAt(1, '.'); }, -1, "4.5"},
        {"insert 7 at 3, cut off", [](CXrNumericEdit& e) { return e.InsertAt(3, '7'); }, 3, "4.5"},
        {"overwrite 2 with 7", [](CXrNumericEdit& e) { return e.OverwriteAt(2, '7'); }, 2, "4.7"},
        {"overwrite the separator", [](CXrNumericEdit& e) { return e.OverwriteAt(1, '7'); }, 1, "475.#"},
        {"overwrite past the end", [](CXrNumericEdit& e) { return e.OverwriteAt(3, '7'); }, -1, "4.5"},
        {"overwrite before the start", [](CXrNumericEdit& e) { return e.OverwriteAt(-1, '7'); }, -1, "4.5"},
        {"delete 0..1", [](CXrNumericEdit& e) { return e.DeleteRange(0, 1); }, 1, "#.5"},
        {"delete 0..3 keeps the separator", [](CXrNumericEdit& e) { return e.DeleteRange(0, 3); }, 2, "#.#"},
    };
    for (const Row& r : rows) {
        auto edit = MakeNumericEdit();
        edit->SetValueText("4.5", FALSE, TRUE);
        EXPECT_EQ(r.op(*edit), r.result) << r.name;
        EXPECT_EQ(edit->GetValueText(TRUE), r.after) << r.name;
    }
}

TEST(NumericValue, TypingOverAPlaceholderOverwritesButInsertingPushesItAside) {
    auto edit = MakeNumericEdit();
    EXPECT_EQ(edit->OverwriteAt(0, '4'), 0);
    EXPECT_EQ(edit->GetValueText(TRUE), "4.#");
    edit = MakeNumericEdit();
    EXPECT_EQ(edit->InsertAt(0, '4'), 0);
    EXPECT_EQ(edit->GetValueText(TRUE), "4#.#");
    EXPECT_EQ(edit->GetDisplayText(), "40.0");
}

TEST(NumericValue, SetDecimalPlacesReExpressesTheValue) {
    auto edit = MakeNumericEdit();
    edit->SetValueText("4.5", FALSE, TRUE);
    edit->SetDecimalPlaces(3);
    EXPECT_EQ(edit->GetValueText(TRUE), "4.5##");
    EXPECT_EQ(edit->GetDisplayText(), "4.500");
    edit->SetValueText("-4.5", FALSE, TRUE);
    edit->SetDecimalPlaces(0);
    EXPECT_EQ(edit->GetValueText(TRUE), "4");
    EXPECT_EQ(edit->GetDisplayText(), "-4");
    EXPECT_TRUE(edit->IsNegative());
}

TEST(NumericValue, EmptyValues) {
    const std::tuple<int, int, const char*> rows[] = {
        {2, NLZ_SHOW, "#.##"}, {1, NLZ_SHOW, "#.#"}, {0, NLZ_SHOW, "#"}, {2, NLZ_NONE, ".##"}, {1, NLZ_NONE, ".#"}, {0, NLZ_NONE, "#"},
    };
    for (const auto& [places, leadingZero, text] : rows) {
        NumericSettings s;
        s.places = places;
        s.leadingZero = leadingZero;
        EXPECT_EQ(MakeNumericEdit(s)->GetValueText(TRUE), text) << places << " " << leadingZero;
    }
}

TEST(NumericData, ElementsAndTheirRuntimeClass) {
    const CXrNumericData digit;
    EXPECT_TRUE(digit.IsKind(NDK_DIGIT));
    EXPECT_TRUE(digit.m_ch == '\0');
    EXPECT_TRUE(digit.Accepts('7'));
    EXPECT_FALSE(digit.Accepts('#'));
    EXPECT_TRUE(CXrNumericData(NDK_PLACEHOLDER, '#').Accepts('#'));
    EXPECT_FALSE(CXrNumericData(NDK_DECIMAL, '.').Accepts('.'));
    const CRuntimeClass* rc = RUNTIME_CLASS(CXrNumericData);
    EXPECT_STREQ(rc->m_lpszClassName, "CXrNumericData");
    EXPECT_EQ(rc->m_wSchema, 0xFFFFu);
    std::unique_ptr<CObject> created(rc->CreateObject());
    EXPECT_TRUE(created->IsKindOf(rc));
}

}  // namespace

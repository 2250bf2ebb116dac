#include <functional>

#include "NumericEditHarness.h"
#include "platform/window_system/InputRouter.h"
#include "platform/window_system/WindowApi.h"

namespace {

class NumericEditing : public NumericEditWindowFixture {};

// One keystroke on a bare numeric edit, as a table row: settings and value,
// the selection before, what is typed, and the display and caret after.
struct KeyCase {
    const char* name;
    NumericSettings settings;
    const char* value;
    int selStart;
    int selEnd;
    bool overwrite;
    std::function<void(NumericEditing&)> action;
    const char* shown;
    int caret;
};

NumericSettings Places(int places) {
    NumericSettings s;
    s.places = places;
    return s;
}

class NumericEditingTable : public NumericEditing {
public:
    void Run(const KeyCase& c) {
        Open(c.settings, c.value);
        m_edit->SetInsertMode(!c.overwrite);
        Select(c.selStart, c.selEnd);
        c.action(*this);
        EXPECT_EQ(Shown(), c.shown) << c.name;
        EXPECT_EQ(Sel(), std::make_pair(c.caret, c.caret)) << c.name;
    }
    void Type(char ch) { Char(static_cast<UINT>(ch)); }
    void Press(UINT vk) { Key(vk); }
    using NumericEditWindowFixture::Key;
};

#define TYPE(ch) [](NumericEditing& t) { static_cast<NumericEditingTable&>(t).Type(ch); }
#define PRESS(vk) [](NumericEditing& t) { static_cast<NumericEditingTable&>(t).Press(vk); }

TEST_F(NumericEditingTable, Keystrokes) {
    NumericSettings layout0;
    layout0.negFormat = 0;
    NumericSettings comma;
    comma.decimal = ',';
    comma.groupSep = ".";
    const KeyCase cases[] = {
        {"digit over the placeholder before the separator", {}, ".5", 0, 0, false, TYPE('7'), "7.5", 1},
        {"digit inserted in front of a number", {}, "1234.5", 0, 0, false, TYPE('9'), "91,234.5", 1},
        {"overwrite a digit", {}, "1234.5", 2, 2, true, TYPE('9'), "1,934.5", 3},
        {"overwrite in front of the separator jumps it", {}, "4.5", 1, 1, true, TYPE('7'), "4.5", 2},
        {"overwrite at the end of an integer", Places(0), "45", 2, 2, true, TYPE('7'), "45", 2},
        {"digit behind a full fraction", {}, "4.5", 3, 3, false, TYPE('7'), "4.5", 3},
        {"digit pushes the fraction's last digit out", {}, "4.5", 2, 2, false, TYPE('7'), "4.7", 3},
        {"digit over an untyped fraction digit", Places(2), "5", 2, 2, false, TYPE('3'), "5.30", 3},
        {"digit over a selection", {}, "1234.5", 2, 5, false, TYPE('9'), "19.5", 2},
        {"digit over the separator alone", {}, "4.5", 1, 2, false, TYPE('9'), "49.5", 0},
        {"backspace across a group separator", {}, "1234.5", 3, 3, false, TYPE('\b'), "134.5", 1},
        {"backspace in front of the first group", {}, "1234.5", 2, 2, false, TYPE('\b'), "234.5", 0},
        {"delete forward", {}, "1234.5", 2, 2, false, PRESS(VK_DELETE), "134.5", 2},
        {"backspace behind the separator", {}, "4.5", 2, 2, false, TYPE('\b'), "4.5", 1},
        {"delete in front of the separator", {}, "4.5", 1, 1, false, PRESS(VK_DELETE), "4.5", 1},
        {"backspace over everything", {}, "12", 0, 4, false, TYPE('\b'), "0.0", 0},
        {"minus keeps the caret's value index", {}, "12.5", 3, 3, false, TYPE('-'), "-12.5", 4},
        {"plus on a positive number", {}, "12.5", 3, 3, false, TYPE('+'), "12.5", 3},
        {"full stop jumps behind the separator", {}, "12.5", 0, 0, false, TYPE('.'), "12.5", 3},
        {"full stop without decimals does nothing", Places(0), "12", 0, 0, false, TYPE('.'), "12", 0},
        {"comma is dropped where it groups", {}, "12.5", 1, 1, false, TYPE(','), "12.5", 1},
        {"the locale's decimal comma jumps behind it", comma, "12,5", 0, 0, false, TYPE(','), "12,5", 3},
        {"full stop jumps where the separator is a comma", comma, "12,5", 0, 0, false, TYPE('.'), "12,5", 3},
        {"letters are dropped", {}, "12.5", 1, 1, false, TYPE('a'), "12.5", 1},
        {"control characters are dropped", {}, "12.5", 1, 1, false, TYPE('\x03'), "12.5", 1},
        {"left from a selection", {}, "1234.5", 2, 5, false, PRESS(VK_LEFT), "1,234.5", 0},
        {"right from a selection", {}, "1234.5", 2, 5, false, PRESS(VK_RIGHT), "1,234.5", 3},
        {"right at the end stays", {}, "4.5", 3, 3, false, PRESS(VK_RIGHT), "4.5", 3},
        {"up acts as left", {}, "4.5", 2, 2, false, PRESS(VK_UP), "4.5", 1},
        {"end", {}, "1234.5", 0, 0, false, PRESS(VK_END), "1,234.5", 7},
        {"home inside brackets", layout0, "-12.5", 4, 4, false, PRESS(VK_HOME), "(12.5)", 1},
        {"left at the first value stop inside brackets", layout0, "-12.5", 1, 1, false, PRESS(VK_LEFT), "(12.5)", 1},
    };
    for (const KeyCase& c : cases) Run(c);
}

// Digits typed one after another read in the order they were typed: the caret
// stands right behind each new digit, even where the parse trims a placeholder
// or a leading zero in front of it.
TEST_F(NumericEditingTable, DigitTypedInFrontOfTheSeparatorOfAZeroValueKeepsTheCaretBehindIt) {
    NumericSettings noLeadingZero;
    noLeadingZero.leadingZero = NLZ_NONE;
    NumericSettings brackets;
    brackets.negFormat = 0;
    NumericSettings signAfter;
    signAfter.negFormat = 6;
    NumericSettings bracketsNoZero = brackets;
    bracketsNoZero.leadingZero = NLZ_NONE;
#define TYPES(text)                                                                            \
    [](NumericEditing& t) {                                                                    \
        for (const char ch : std::string(text)) static_cast<NumericEditingTable&>(t).Type(ch); \
    }
    const KeyCase cases[] = {
        {"over the selected value", {}, "4.5", 0, 3, false, TYPES("053"), "53.0", 2},
        {"behind the placeholder", {}, ".5", 1, 1, false, TYPES("78"), "78.5", 2},
        {"on the placeholder", {}, ".5", 0, 0, false, TYPES("78"), "78.5", 2},
        {"in front of the separator without a leading zero", noLeadingZero, ".5", 0, 0, false, TYPES("78"), "78.5", 2},
        {"over the selected value without a leading zero", noLeadingZero, "4.5", 0, 3, false, TYPES("053"), "53.0", 2},
        {"a zero in front of a number is trimmed", {}, "5", 0, 0, false, TYPES("0"), "5.0", 0},
        {"a zero then a digit in front of a number", {}, "5", 0, 0, false, TYPES("07"), "75.0", 1},
        {"inside brackets over the selected value", brackets, "-4.5", 1, 4, false, TYPES("053"), "(53.0)", 3},
        {"inside brackets without a leading zero", bracketsNoZero, "-.5", 1, 1, false, TYPES("78"), "(78.5)", 3},
        {"sign behind the number", signAfter, "-.5", 1, 1, false, TYPES("78"), "78.5-", 2},
        {"overwriting the placeholder", {}, ".5", 0, 0, true, TYPES("7"), "7.5", 1},
        {"overwriting a leading digit with zero", {}, "45", 0, 0, true, TYPES("0"), "5.0", 0},
        {"into the fraction over a selection", Places(2), "1.25", 2, 4, false, TYPES("93"), "1.93", 4},
        {"grouped digits", {}, ".5", 1, 1, false, TYPES("1234"), "1,234.5", 5},
    };
#undef TYPES
    for (const KeyCase& c : cases) Run(c);
}

TEST_F(NumericEditing, DecimalSeparatorOfTheLocaleIsDroppedWhenTyped) {
    NumericSettings european;
    european.decimal = ',';
    european.groupSep = ".";
    Open(european, "12,5");
    Select(0, 0);
    Char(',');
    EXPECT_EQ(Shown(), "12,5");
    Char('.');
    EXPECT_EQ(Sel(), std::make_pair(3, 3)) << "'.' still jumps behind the separator";
}

TEST_F(NumericEditing, MinusOnZeroTurnsRedWithoutASignAndTheNextDigitIsNegative) {
    Open();
    Select(0, 0);
    Char('-');
    EXPECT_EQ(Shown(), "0.0");
    EXPECT_EQ(m_edit->GetTextColor(), RGB(255, 0, 0));
    Char('3');
    EXPECT_EQ(Shown(), "-3.0");
    EXPECT_EQ(Sel(), std::make_pair(2, 2));
    Char('-');
    EXPECT_EQ(Shown(), "3.0");
    EXPECT_EQ(m_edit->GetTextColor(), GetSysColor(COLOR_WINDOWTEXT));
}

TEST_F(NumericEditing, InsertKeyTogglesOverwrite) {
    Open({}, "12.5");
    Key(VK_INSERT);
    EXPECT_FALSE(m_edit->GetInsertMode());
    Key(VK_INSERT, true);
    EXPECT_TRUE(m_edit->GetInsertMode()) << "Shift+Insert acts as Insert";
}

TEST_F(NumericEditing, ShiftArrowsMoveTheEndTheCaretIsAt) {
    Open({}, "1234.5");
    Select(3, 3);        // between 2 and 3
    Key(VK_LEFT, true);  // selects the 2
    EXPECT_EQ(Sel(), std::make_pair(2, 3));
    EXPECT_EQ(CaretIndex(), 2);
    Key(VK_LEFT, true);  // across the group separator to the 1
    EXPECT_EQ(Sel(), std::make_pair(0, 3));
    EXPECT_EQ(CaretIndex(), 0);
    Key(VK_RIGHT, true);  // shrinks at the moving end
    EXPECT_EQ(Sel(), std::make_pair(2, 3));
    Key(VK_END, true);  // keeps the end the caret is not at
    EXPECT_EQ(Sel(), std::make_pair(3, 7));
    EXPECT_EQ(CaretIndex(), 7);
    Key(VK_HOME, true);
    EXPECT_EQ(Sel(), std::make_pair(0, 3));
    EXPECT_EQ(CaretIndex(), 0);
}

TEST_F(NumericEditing, ShiftRightFromACaretSelectsToTheRight) {
    Open({}, "12.5");
    Select(0, 0);
    Key(VK_RIGHT, true);
    Key(VK_RIGHT, true);
    EXPECT_EQ(Sel(), std::make_pair(0, 2));
    EXPECT_EQ(CaretIndex(), 2);
}

class NumericMouse : public NumericEditWindowFixture {
protected:
    CPoint At(int index) {
        const CPoint client{m_edit->PosFromChar(static_cast<UINT>(index)).x + 1, 5};
        CPoint screen = client;
        m_edit->ClientToScreen(&screen);
        return screen;
    }
};

TEST_F(NumericMouse, ClicksLandOnValueStopsAndDoubleClickSelectsTheValue) {
    NumericSettings layout0;
    layout0.negFormat = 0;
    Open(layout0, "-12.5");
    ASSERT_EQ(Shown(), "(12.5)");
    const std::pair<int, int> clicks[] = {{0, 1}, {5, 5}, {2, 2}};
    for (const auto& [index, stop] : clicks) {
        User::MouseDown(At(index), false, false);
        User::MouseUp(At(index), false);
        EXPECT_EQ(Sel(), std::make_pair(stop, stop)) << "click at " << index;
    }
    User::MouseDown(At(2), false, false);
    User::MouseUp(At(2), false);
    User::MouseDown(At(2), false, true);
    User::MouseUp(At(2), false);
    EXPECT_EQ(Sel(), std::make_pair(1, 5));
}

TEST_F(NumericMouse, ADragSelectsOnlyUpToPointsInsideTheControl) {
    Open({}, "1234.5");
    User::MouseDown(At(0), false, false);
    User::MouseMove(At(3));
    EXPECT_EQ(Sel(), std::make_pair(0, 3));
    CRect client;
    m_edit->GetClientRect(&client);
    CPoint outside{client.right + 10, 5};
    m_edit->ClientToScreen(&outside);
    User::MouseMove(outside);
    EXPECT_EQ(Sel(), std::make_pair(0, 3));
    User::MouseUp(outside, false);
    User::MouseMove(At(5));
    EXPECT_EQ(Sel(), std::make_pair(0, 3)) << "no drag once the button is up";
}

TEST_F(NumericMouse, ReadOnlyTakesNoTypingButClicksStillPlaceTheCaret) {
    Open({}, "1234.5");
    m_edit->ModifyStyle(0, ES_READONLY);
    Select(0, 0);
    Char('9');
    Char('\b');
    Key(VK_DELETE);
    EXPECT_EQ(Shown(), "1,234.5");
    User::MouseDown(At(1), false, false);
    User::MouseUp(At(1), false);
    EXPECT_EQ(Sel(), std::make_pair(2, 2)) << "the click on the ',' lands in front of the 2";
}

TEST_F(NumericEditing, AutoAdvanceMovesTheFocusOnBehindTheLastValueCharacter) {
    NumericSettings s;
    s.autoTab = TRUE;
    Open(s, "12.5");
    Select(0, 0);
    Key(VK_END);
    EXPECT_EQ(GetFocus(), GetDlgItem(m_dialog->m_hWnd, kNext));
}

}  // namespace

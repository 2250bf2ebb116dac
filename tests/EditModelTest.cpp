#include <gtest/gtest.h>

#include <functional>

#include "platform/window_system/EditModel.h"

namespace {

struct EditCase {
    const char* name;
    const char* text;
    int anchor;
    int caret;
    std::function<void(EditModel&)> action;
    const char* expectText;
    int expectStart;
    int expectEnd;
};

TEST(EditModel, EditingTable) {
    const EditCase cases[] = {
        {"type at caret", "12", 1, 1, [](EditModel& m) { m.ReplaceSelection("x", true); }, "1x2", 2, 2},
        {"type over selection", "12345", 1, 4, [](EditModel& m) { m.ReplaceSelection("x", true); }, "1x5", 2, 2},
        {"backspace at start does nothing", "12", 0, 0, [](EditModel& m) { m.DeleteBack(); }, "12", 0, 0},
        {"backspace deletes selection", "12345", 4, 1, [](EditModel& m) { m.DeleteBack(); }, "15", 1, 1},
        {"delete at end does nothing", "12", 2, 2, [](EditModel& m) { m.DeleteForward(); }, "12", 2, 2},
        {"delete forward", "12", 0, 0, [](EditModel& m) { m.DeleteForward(); }, "2", 0, 0},
        {"backspace removes a whole CJK character", "a中b", 4, 4, [](EditModel& m) { m.DeleteBack(); }, "ab", 1, 1},
        {"delete removes a whole CJK character", "a中b", 1, 1, [](EditModel& m) { m.DeleteForward(); }, "ab", 1, 1},
        {"left steps from the caret and drops the selection", "12345", 4, 2, [](EditModel& m) { m.MoveLeft(false, false); }, "12345", 1, 1},
        {"right steps from the caret, whichever end it is at", "12345", 4, 1, [](EditModel& m) { m.MoveRight(false, false); }, "12345", 2, 2},
        {"shift+left extends", "12345", 3, 3, [](EditModel& m) { m.MoveLeft(true, false); }, "12345", 2, 3},
        {"shift+home selects to start", "12345", 3, 3, [](EditModel& m) { m.MoveHome(true); }, "12345", 0, 3},
        {"shift+end selects to end", "12345", 1, 1, [](EditModel& m) { m.MoveEnd(true); }, "12345", 1, 5},
        {"ctrl+right jumps a word", "ab cd", 0, 0, [](EditModel& m) { m.MoveRight(false, true); }, "ab cd", 3, 3},
        {"ctrl+left jumps a word", "ab cd", 5, 5, [](EditModel& m) { m.MoveLeft(false, true); }, "ab cd", 3, 3},
        {"set selection -1 end selects to the end", "12345", 0, 0, [](EditModel& m) { m.SetSel(2, -1); }, "12345", 2, 5},
        {"set selection -1 start collapses on the caret", "12345", 1, 3, [](EditModel& m) { m.SetSel(-1, 0); }, "12345", 3, 3},
        {"positions past the end are clamped", "12", 0, 0, [](EditModel& m) { m.SetSel(7, 9); }, "12", 2, 2},
        {"a position inside a character snaps to its start", "中", 0, 0, [](EditModel& m) { m.SetSel(1, 2); }, "中", 0, 0},
        {"double-click selects a word", "ab cd", 0, 0, [](EditModel& m) { m.SelectWordAt(4); }, "ab cd", 3, 5},
        {"undo brings the text back selected", "12345", 1, 3, [](EditModel& m) { m.ReplaceSelection("x", true), m.Undo(); }, "12345", 1, 3},
        {"undoing an undo takes the typing back", "12345", 1, 3, [](EditModel& m) { m.ReplaceSelection("x", true), m.Undo(), m.Undo(); }, "1x45", 1,
         2},
        {"undo with nothing to undo leaves a caret where the last change was", "12345", 1, 4, [](EditModel& m) { m.Undo(); }, "12345", 0, 0},
    };
    for (const EditCase& c : cases) {
        EditModel m;
        m.SetText(c.text);
        m.SetSel(c.anchor, c.caret);
        c.action(m);
        EXPECT_EQ(m.Text(), c.expectText) << c.name;
        EXPECT_EQ(m.SelStart(), c.expectStart) << c.name;
        EXPECT_EQ(m.SelEnd(), c.expectEnd) << c.name;
    }
}

TEST(EditModel, SelectionKeepsItsAnchorWhenTheCaretCrossesIt) {
    EditModel m;
    m.SetText("12345");
    m.SetSel(2, 2);
    m.MoveRight(true, false);
    m.MoveLeft(true, false);
    m.MoveLeft(true, false);
    EXPECT_EQ(m.Anchor(), 2);
    EXPECT_EQ(m.Caret(), 1);
    EXPECT_EQ(m.SelectedText(), "2");
}

TEST(EditModel, UndoTakesBackARunOfTypingInOneStepAndRedoesOnSecondUndo) {
    EditModel m;
    m.SetText("12");
    m.SetSel(2, 2);
    for (const char* c : {"3", "4", "5"}) m.ReplaceSelection(c, true);
    ASSERT_EQ(m.Text(), "12345");
    ASSERT_TRUE(m.Undo());
    EXPECT_EQ(m.Text(), "12");
    EXPECT_EQ(m.Caret(), 2);
    ASSERT_TRUE(m.Undo());
    EXPECT_EQ(m.Text(), "12345");
}

TEST(EditModel, MovingTheCaretEndsATypingRun) {
    EditModel m;
    m.SetText("");
    m.ReplaceSelection("a", true);
    m.MoveHome(false);
    m.ReplaceSelection("b", true);
    ASSERT_EQ(m.Text(), "ba");
    m.Undo();
    EXPECT_EQ(m.Text(), "a");
}

TEST(EditModel, DeletionIsUndoneAndSetTextForgetsUndo) {
    EditModel m;
    m.SetText("123");
    m.SetSel(0, 3);
    m.DeleteBack();
    ASSERT_TRUE(m.Undo());
    EXPECT_EQ(m.Text(), "123");
    m.SetText("x");
    EXPECT_FALSE(m.CanUndo());
}

}  // namespace

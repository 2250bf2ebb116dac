// The driver's protocol at its edges: keys named by their character, typed
// characters no key types, and every way a command line can be wrong, each
// answered in one line that says what was wrong, and the program going on.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "DriverHarness.h"
#include "platform/driver/Driver.h"

namespace {

TEST(DriverProtocol, EachLineGetsOneAnswerThatSaysWhatWasWrong) {
    const std::pair<const char*, const char*> rows[] = {
        {"key .", "ok"},
        {"key ,", "ok"},
        {"key -", "ok"},
        {"key +", "ok"},
        {"key =", "ok"},
        {"key Bogus", "error: unknown key Bogus"},
        {"key Shift+", "error: unknown key "},
        {"type \"\\b\"", "error: unknown escape \\b"},
        {"type \"unterminated", "error: unclosed quote"},
        {"type", "error: usage: type TEXT"},
        {"bogus", "error: unknown command bogus"},
        {"click 9999", "error: no control 9999"},
        {"setsel 1000 a b", "error: not a number: a"},
        {"rect menu", "error: no menu is open"},
        {"menu X", "error: no menu is open"},
        {"rect dialog", "0 0 453 398"},
        {"cursor 1005", "ibeam"},
        {"cursor 1017", "hand"},
        {"focused", "1"},
    };
    std::string script;
    std::vector<std::string> expected;
    for (const auto& [line, answer] : rows) {
        script += std::string(line) + "\n";
        expected.emplace_back(answer);
    }
    const DriverRun run = RunDotwise(script);
    EXPECT_EQ(Answers(run), expected);
    EXPECT_EQ(run.exitCode, 0);
}

// A character with no key (an input method's) reaches the field as a character,
// which the capacity field, taking digits alone, leaves out; Tab and Backspace
// typed as characters are the keys they stand for.
TEST(DriverProtocol, CharactersWithoutAKeyAndControlCharacters) {
    const DriverRun run = RunDotwise(
        "focus 1016\ntype \"中\"\ntext 1016\nsettext 1000 19\nsetsel 1000 2 2\nfocus 1000\nsetsel 1000 2 2\n"
        "type \"\\x08\"\ntext 1000\ntype \"\\t\"\nfocused\ndrag 1000 0 outside\nsel 1000\n");
    const std::vector<std::string> expected = {"ok", "ok", R"("320")", "1", "1", "ok", "1", "ok", R"("1")", "ok", "1001", "ok", "0 1"};
    EXPECT_EQ(Answers(run), expected);
}

// A double click selects the diagonal's value; an Escape typed as a character
// is the key, and ends the program as the dialog's Cancel does.
TEST(DriverProtocol, ADoubleClickSelectsTheValueAndATypedEscapeEndsTheProgram) {
    const DriverRun run = RunDotwise("dblclick 1004 1\nsel 1004\ntype \"\\x1b\"\ndialogs\n");
    EXPECT_EQ(Answers(run), (std::vector<std::string>{"ok", "0 3", "ok"}));
    EXPECT_EQ(run.exitCode, 0);
}

// What the end of input does on the builds whose loop the driver does not own
// (Windows, the page): an open menu goes first, then each dialog, once.
TEST(DriverProtocol, TheEndOfInputClosesAnOpenMenuFirstThenTheDialog) {
    const DriverRun run = RunDotwise("rclick 1004\nclose-one\nclose-one\n", [](Driver& driver) {
        driver.AddCommand("close-one", [&driver](const Driver::Args&) { return std::string(driver.CloseOneAtEnd() ? "closed one" : "nothing"); });
    });
    EXPECT_EQ(Answers(run), (std::vector<std::string>{"ok", "closed one", "closed one"}));
    EXPECT_EQ(run.exitCode, 0);
}

}  // namespace

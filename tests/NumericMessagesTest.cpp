#include <tuple>

#include "NumericEditHarness.h"
#include "platform/class_library/DataExchange.h"
#include "platform/window_system/Clipboard.h"
#include "platform/window_system/WindowApi.h"

namespace {

class NumericMessages : public NumericEditWindowFixture {
protected:
    std::string Clipboard() { return ClipboardStore::Instance().Text().value_or("<none>"); }
    void SetClipboard(const char* text) { ClipboardStore::Instance().SetText(text); }
    LRESULT SetText(const char* text) { return Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)); }
};

TEST_F(NumericMessages, ReadersGetThePlainNumber) {
    NumericSettings noLeadingZero;
    noLeadingZero.leadingZero = NLZ_NONE;
    NumericSettings brackets;
    brackets.negFormat = 0;
    const std::tuple<NumericSettings, const char*, const char*> rows[] = {
        {{}, "1234.5", "1234.5"}, {{}, "-1234.5", "-1234.5"}, {brackets, "-1234.5", "-1234.5"}, {noLeadingZero, ".5", "0.5"}, {{}, "-0", "0.0"},
    };
    for (const auto& [settings, value, outside] : rows) {
        Open(settings, value);
        EXPECT_EQ(OutsideText(), outside) << value;
        EXPECT_EQ(Send(WM_GETTEXTLENGTH), static_cast<LRESULT>(std::string(outside).size())) << value;
    }
}

TEST_F(NumericMessages, ASmallBufferGetsTheTextCutAtItsEnd) {
    Open({}, "-1234.5");
    char buffer[8] = "xxxxxxx";
    EXPECT_EQ(Send(WM_GETTEXT, 4, reinterpret_cast<LPARAM>(buffer)), 3);
    EXPECT_STREQ(buffer, "-12");
    EXPECT_EQ(Send(WM_GETTEXT, 0, reinterpret_cast<LPARAM>(buffer)), 0);
    EXPECT_EQ(buffer[0], '-') << "nothing is stored with no room";
}

TEST_F(NumericMessages, WritingTheWindowText) {
    Open({}, "1000");
    EXPECT_EQ(SetText("1,000.0"), TRUE);
    EXPECT_EQ(Shown(), "1,000.0") << "the display text itself is stored as it is";
    EXPECT_EQ(SetText("1,234.5"), 1);
    EXPECT_EQ(Shown(), "1,000.0") << "any other text is parsed as a value text, and refused here";
    EXPECT_EQ(SetText("7.25"), 1);
    EXPECT_EQ(Shown(), "7.2");
    EXPECT_EQ(SetText("-3"), 1);
    EXPECT_EQ(Shown(), "-3.0");
    EXPECT_EQ(m_edit->GetTextColor(), RGB(255, 0, 0));
    EXPECT_EQ(Send(WM_SETTEXT, 0, 0), 1);
    EXPECT_EQ(Shown(), "0.0");
    EXPECT_FALSE(m_edit->IsNegative());
    EXPECT_EQ(Sel(), std::make_pair(0, 0)) << "the caret on the first value stop";
}

TEST_F(NumericMessages, SelectAllTakesTheValueCharacters) {
    NumericSettings trailing;
    trailing.negFormat = 6;
    NumericSettings brackets;
    brackets.negFormat = 0;
    const std::tuple<NumericSettings, const char*, const char*, int, int> rows[] = {
        {{}, "12.5", "12.5", 0, 4},
        {{}, "-12.5", "-12.5", 1, 5},
        {trailing, "-12.5", "12.5-", 0, 5},
        {brackets, "-12.5", "(12.5)", 1, 5},
    };
    for (const auto& [settings, value, shown, start, end] : rows) {
        Open(settings, value);
        ASSERT_EQ(Shown(), shown);
        Select(0, -1);
        EXPECT_EQ(Sel(), std::make_pair(start, end)) << shown;
    }
}

TEST_F(NumericMessages, SelectionEndsMoveOntoValueStops) {
    Open({}, "1234.5");
    Select(1, 1);
    EXPECT_EQ(Sel(), std::make_pair(2, 2));
    Select(-7, -9);
    EXPECT_EQ(Sel(), std::make_pair(0, 7)) << "an end below -1 comes back as -1, the end of the text";
    Select(3, 40);
    EXPECT_EQ(Sel(), std::make_pair(3, 7));
}

TEST_F(NumericMessages, CopyAndCutPutValueCharactersOnTheClipboard) {
    Open({}, "1234.5");
    Select(0, 5);
    Send(WM_COPY);
    EXPECT_EQ(Clipboard(), "1234");
    Select(2, 2);
    Send(WM_COPY);
    EXPECT_EQ(Clipboard(), "") << "nothing selected empties the clipboard";
    Open({}, "4.5");
    Select(1, 3);
    Send(WM_CUT);
    EXPECT_EQ(Clipboard(), ".5");
    EXPECT_EQ(Shown(), "4.0");
    EXPECT_EQ(Sel(), std::make_pair(1, 1));
}

TEST_F(NumericMessages, Paste) {
    struct Row {
        const char* value;
        int start;
        int end;
        const char* clip;
        const char* shown;
        int caret;
    };
    const Row rows[] = {
        {"12.5", 1, 3, "7", "175.0", 1},  {"-12.5", 1, 5, "7", "7.0", 0},      {"-12.5", 1, 2, "7", "-72.5", 1},
        {"12.5", 0, 1, "-5", "-52.5", 1}, {"-12.5", 1, 2, "-5", "-12.5", 1},   {"12.5", 0, 0, "1,234", "12.5", 0},
        {"12.5", 2, 2, ".7", "12.5", 2},  {"12.5", 0, 4, "3.14159", "3.1", 0}, {"12.5", 0, 0, "", "12.5", 0},
    };
    for (const Row& r : rows) {
        Open({}, r.value);
        SetClipboard(r.clip);
        Select(r.start, r.end);
        Send(WM_PASTE);
        EXPECT_EQ(Shown(), r.shown) << "paste " << r.clip << " into " << r.value;
        EXPECT_EQ(Sel(), std::make_pair(r.caret, r.caret)) << "paste " << r.clip << " into " << r.value;
    }
}

TEST_F(NumericMessages, ClearAndTheClipboardMessagesIgnoreReadOnly) {
    Open({}, "1234.5");
    m_edit->ModifyStyle(0, ES_READONLY);
    Select(0, 5);
    Send(WM_CLEAR);
    EXPECT_EQ(Shown(), "0.5");
    SetClipboard("9");
    Select(0, 1);
    Send(WM_PASTE);
    EXPECT_EQ(Shown(), "9.5");
    Select(0, 1);
    Send(WM_CUT);
    EXPECT_EQ(Shown(), "0.5");
}

TEST_F(NumericMessages, AClipboardThatCannotBeOpened) {
    Open({}, "4.5");
    SetClipboard("old");
    ClipboardStore::Instance().SetUnavailable(true);
    Select(0, 1);
    Send(WM_COPY);
    Send(WM_PASTE);
    EXPECT_EQ(Shown(), "4.5");
    Send(WM_CUT);
    EXPECT_EQ(Shown(), "0.5") << "cut still deletes";
    ClipboardStore::Instance().SetUnavailable(false);
    EXPECT_EQ(Clipboard(), "old");
}

TEST_F(NumericMessages, FocusOnAFullySelectedValueDropsTheSelection) {
    Open({}, "12.5");
    SetFocus(GetDlgItem(m_dialog->m_hWnd, kNext));
    Select(0, -1);
    SetFocus(m_edit->m_hWnd);
    EXPECT_EQ(Sel(), std::make_pair(0, 0));
}

// Reads the field on each change and writes the plain number back, as the calculator does.
class ListeningDialog : public CDialog {
public:
    int notices = 0;
    double value = 0;
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, 100, value); }
    void OnUpdateNumber() {
        ++notices;
        if (UpdateData(TRUE)) UpdateData(FALSE);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ListeningDialog, CDialog)
ON_EN_UPDATE(100, OnUpdateNumber)
END_MESSAGE_MAP()

TEST_F(NumericMessages, EachEditTellsTheParentOnce) {
    struct Row {
        const char* value;
        int selStart, selEnd;
        UINT input;  // a character, or a key when it is VK_DELETE
        const char* shown;
        bool negative;
    };
    const Row rows[] = {
        {"4.5", 1, 1, '7', "47.5", false},       // the write that places the caret adds nothing
        {"4.5", 0, 3, '6', "6.0", false},        // typed over the selection
        {"4.5", 0, 0, '+', "4.5", false},        // nothing changes, yet the parent still hears of the key
        {"4.5", 1, 1, VK_DELETE, "4.5", false},  // the separator stays
        {"0", 0, 0, '-', "0.0", false},          // the write-back still clears a minus on zero
    };
    for (const Row& row : rows) {
        auto dialog = std::make_unique<ListeningDialog>();
        ListeningDialog* listener = dialog.get();
        Open({}, row.value, std::move(dialog));
        Select(row.selStart, row.selEnd);
        listener->notices = 0;
        if (row.input == VK_DELETE)
            Key(VK_DELETE);
        else
            Char(row.input);
        EXPECT_EQ(Shown(), row.shown) << row.value << " + " << row.input;
        EXPECT_EQ(listener->notices, 1) << row.value << " + " << row.input;
        EXPECT_EQ(m_edit->IsNegative(), row.negative ? TRUE : FALSE) << row.value << " + " << row.input;
    }
}

}  // namespace

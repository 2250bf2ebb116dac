// The standard edit control driven through its messages, as other programs and
// the user's keys and context menu reach it.
#include <functional>
#include <string>

#include "PlatformFixture.h"
#include "platform/class_library/CDialog.h"
#include "platform/window_system/Clipboard.h"
#include "platform/window_system/DialogProcedure.h"
#include "platform/window_system/InputRouter.h"
#include "platform/window_system/WindowApi.h"

namespace {

constexpr int kField = 10;
constexpr DialogItemTemplate kItems[] = {
    {kField, WindowClass::Edit, WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 10, 10, 120, 12, ""},
};
constexpr DialogTemplate kTemplate{1, false, WS_POPUP | WS_CAPTION, 0, 0, 0, 150, 40, "edit", "宋体", 9, kItems};

class StandardEdit : public PlatformFixture {
public:
    StandardEdit() {
        m_dialog.SubclassWindow(CreateDialogWindow(kTemplate, nullptr));
        m_edit = GetDlgItem(m_dialog.m_hWnd, kField);
        SetFocus(m_edit);
        ClipboardStore::Instance().SetText("");
    }
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) { return SendMessage(m_edit, message, wParam, lParam); }
    void SetText(const std::string& text) { Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())); }
    std::string Text() {
        std::string buffer(static_cast<std::size_t>(Send(WM_GETTEXTLENGTH)) + 1, '\0');
        buffer.resize(static_cast<std::size_t>(Send(WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()))));
        return buffer;
    }
    std::pair<int, int> Sel() {
        DWORD start = 0;
        DWORD end = 0;
        Send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return {static_cast<int>(start), static_cast<int>(end)};
    }
    void Select(int start, int end) { Send(EM_SETSEL, static_cast<WPARAM>(start), end); }
    void Type(const std::u32string& text) {
        for (const char32_t ch : text) User::Char(ch);
    }
    // Opens the context menu and chooses an item, as the driver's `menu` would.
    void ChooseFromContextMenu(const std::string& item) {
        m_in.clear();
        m_in.str("menu " + item + "\n");
        Send(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_edit), -1);
    }
    CPoint PointOf(int index) { return {static_cast<short>(LOWORD(Send(EM_POSFROMCHAR, static_cast<WPARAM>(index)))), 5}; }

    CDialog m_dialog;
    HWND m_edit = nullptr;
};

struct EditCase {
    const char* name;
    const char* text;
    int selStart;
    int selEnd;
    std::function<void(StandardEdit&)> action;
    const char* after;
    std::pair<int, int> sel;
    const char* clipboard;  // null: not looked at
};

class StandardEditTable : public StandardEdit {
public:
    void Run(const EditCase& c) {
        SetText(c.text);
        Select(c.selStart, c.selEnd);
        ClipboardStore::Instance().SetText("clip");
        c.action(*this);
        EXPECT_EQ(Text(), c.after) << c.name;
        EXPECT_EQ(Sel(), c.sel) << c.name;
        if (c.clipboard != nullptr) {
            EXPECT_EQ(ClipboardStore::Instance().Text().value_or(""), c.clipboard) << c.name;
        }
    }
};

#define ACT(...) [](StandardEdit& e) { __VA_ARGS__; }

TEST_F(StandardEditTable, MessagesAndTheContextMenu) {
    const EditCase cases[] = {
        {"a Chinese character typed", "ab", 1, 1, ACT(e.Type(U"矩")), "a矩b", {4, 4}, nullptr},
        {"a character past the basic plane", "", 0, 0, ACT(e.Type(U"\U0001F600")), "\xF0\x9F\x98\x80", {4, 4}, nullptr},
        {"replace the selection",
         "hello world",
         0,
         5,
         ACT(e.Send(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("bye"))),
         "bye world",
         {3, 3},
         nullptr},
        {"replace with nothing", "hello", 1, 3, ACT(e.Send(EM_REPLACESEL, FALSE, 0)), "hlo", {1, 1}, nullptr},
        {"cut", "hello", 1, 3, ACT(e.Send(WM_CUT)), "hlo", {1, 1}, "el"},
        {"clear keeps the clipboard", "hello", 1, 3, ACT(e.Send(WM_CLEAR)), "hlo", {1, 1}, "clip"},
        {"paste", "hello", 5, 5, ACT(e.Send(WM_PASTE)), "helloclip", {9, 9}, nullptr},
        {"undo a typed run", "ab", 2, 2, ACT(e.Type(U"cd"); e.Send(EM_UNDO)), "ab", {2, 2}, nullptr},
        {"WM_UNDO as EM_UNDO", "ab", 0, 2, ACT(e.Send(WM_CUT); e.Send(WM_UNDO)), "ab", {0, 2}, "ab"},
        {"menu: undo", "ab", 2, 2, ACT(e.Type(U"c"); e.ChooseFromContextMenu("撤消")), "ab", {2, 2}, nullptr},
        {"menu: cut", "hello", 0, 2, ACT(e.ChooseFromContextMenu("剪切")), "llo", {0, 0}, "he"},
        {"menu: copy", "hello", 0, 2, ACT(e.ChooseFromContextMenu("复制")), "hello", {0, 2}, "he"},
        {"menu: paste", "hello", 0, 5, ACT(e.ChooseFromContextMenu("粘贴")), "clip", {4, 4}, nullptr},
        {"menu: delete", "hello", 0, 2, ACT(e.ChooseFromContextMenu("删除")), "llo", {0, 0}, "clip"},
        {"menu: select all", "hello", 2, 2, ACT(e.ChooseFromContextMenu("全选")), "hello", {0, 5}, nullptr},
        {"menu: a greyed item does nothing", "hello", 2, 2, ACT(e.ChooseFromContextMenu("剪切")), "hello", {2, 2}, "clip"},
    };
    for (const EditCase& c : cases) Run(c);
}

TEST_F(StandardEdit, ReadOnlyIsSetAndClearedByMessage) {
    SetText("12");
    Select(2, 2);
    EXPECT_TRUE(Send(EM_SETREADONLY, TRUE));
    EXPECT_TRUE(m_edit->style & ES_READONLY);
    Type(U"3");
    Send(WM_PASTE);
    Select(0, 2);
    Send(WM_CUT);
    EXPECT_EQ(Text(), "12");
    EXPECT_EQ(ClipboardStore::Instance().Text().value_or(""), "12") << "a read-only field still copies on cut";
    EXPECT_FALSE(Send(EM_UNDO));
    Send(EM_SETREADONLY, FALSE);
    Select(2, 2);
    Type(U"3");
    EXPECT_EQ(Text(), "123");
}

TEST_F(StandardEdit, DoubleClickSelectsTheWordUnderThePointer) {
    SetText("one two three");
    Send(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(static_cast<unsigned>(PointOf(5).x + 1), 5));
    EXPECT_EQ(Sel(), std::make_pair(4, 7));
}

}  // namespace

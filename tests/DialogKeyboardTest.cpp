#include <gtest/gtest.h>

#include "PlatformFixture.h"
#include "platform/class_library/CDialog.h"
#include "platform/window_system/DialogProcedure.h"
#include "platform/window_system/InputRouter.h"
#include "platform/class_library/CToolTipCtrl.h"
#include "platform/window_system/ToolTip.h"
#include "platform/window_system/WindowApi.h"

namespace {

constexpr DialogItemTemplate kItems[] = {
    {IDOK, WindowClass::Button, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 100, 5, 40, 14, "确定"},
    {IDCANCEL, WindowClass::Button, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 100, 22, 40, 14, "取消"},
    {10, WindowClass::Edit, WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 5, 5, 60, 12, "abc"},
    {11, WindowClass::Edit, WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_DISABLED, 5, 20, 60, 12, ""},
    {12, WindowClass::Edit, WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 5, 35, 60, 12, "xyz"},
};
constexpr DialogTemplate kTemplate{3, false, WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 0, 150, 60, "keys", "宋体", 9, kItems};

class KeysDialog : public CDialog {
public:
    KeysDialog() = default;
    std::vector<int> commands;
    // Button clicks and commands; the fields' own notifications are not counted.
    BOOL OnCmdMsg(UINT nID, int nCode) override {
        if (nCode == BN_CLICKED) commands.push_back(static_cast<int>(nID));
        return TRUE;
    }
};

class DialogKeyboard : public PlatformFixture {
protected:
    DialogKeyboard() {
        m_dialog.SubclassWindow(CreateDialogWindow(kTemplate, nullptr));
        m_dialog.m_hWnd->style |= WS_VISIBLE;
        SetFocus(GetDlgItem(m_dialog.m_hWnd, IDOK));
    }
    void Press(UINT vk, UINT ch, bool shift = false) {
        WindowManager::Instance().SetKeyDown(VK_SHIFT, shift);
        User::KeyDown(vk, ch);
        User::KeyUp(vk);
        WindowManager::Instance().SetKeyDown(VK_SHIFT, false);
    }
    int FocusId() const { return GetFocus() ? GetFocus()->id : 0; }
    std::string Text(int id) {
        char buffer[64] = {};
        SendMessage(GetDlgItem(m_dialog.m_hWnd, id), WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
        return buffer;
    }
    KeysDialog m_dialog;
};

TEST_F(DialogKeyboard, TabGoesRoundTheTabStopsSkippingDisabledOnesAndSelectsFields) {
    std::vector<int> order;
    for (int i = 0; i < 4; ++i) {
        Press(VK_TAB, '\t');
        order.push_back(FocusId());
    }
    EXPECT_EQ(order, (std::vector<int>{IDCANCEL, 10, 12, IDOK}));
    Press(VK_TAB, '\t', true);
    EXPECT_EQ(FocusId(), 12);
    DWORD start = 9, end = 9;
    SendMessage(GetFocus(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 3u);
    EXPECT_EQ(Text(12), "xyz") << "the Tab character itself never reaches the field";
}

TEST_F(DialogKeyboard, TabEnterAndEscapeAsCharactersAloneChangeNoField) {
    SetFocus(GetDlgItem(m_dialog.m_hWnd, 10));
    for (UINT ch : {UINT{'\t'}, UINT{'\r'}, UINT{0x1B}}) User::Char(ch);
    EXPECT_EQ(Text(10), "abc");
    EXPECT_TRUE(m_dialog.commands.empty());
}

TEST_F(DialogKeyboard, EnterPressesTheDefaultOrTheFocusedButtonAndEscapeCancels) {
    SetFocus(GetDlgItem(m_dialog.m_hWnd, 10));
    Press(VK_RETURN, '\r');
    SetFocus(GetDlgItem(m_dialog.m_hWnd, IDCANCEL));
    Press(VK_RETURN, '\r');
    Press(VK_ESCAPE, 0x1B);
    EXPECT_EQ(m_dialog.commands, (std::vector<int>{IDOK, IDCANCEL, IDCANCEL}));
}

TEST_F(DialogKeyboard, SpaceOnAButtonClicksOnRelease) {
    SetFocus(GetDlgItem(m_dialog.m_hWnd, IDCANCEL));
    User::KeyDown(VK_SPACE);
    EXPECT_TRUE(m_dialog.commands.empty());
    User::KeyUp(VK_SPACE);
    EXPECT_EQ(m_dialog.commands, (std::vector<int>{IDCANCEL}));
}

TEST_F(DialogKeyboard, ADisabledOwnerTakesNoMouseInput) {
    HWND edit = GetDlgItem(m_dialog.m_hWnd, 12);
    EnableWindow(m_dialog.m_hWnd, FALSE);
    const CRect r = WindowManager::Instance().ScreenRect(edit);
    User::MouseDown({r.left + 5, r.top + 5}, false, false);
    User::MouseUp({r.left + 5, r.top + 5}, false);
    EXPECT_NE(GetFocus(), edit);
}

// A back end counts clicks over its whole window: its double click may land on
// another field than the first click did, which is then a click of its own.
TEST_F(DialogKeyboard, ADoubleClickOnAnotherFieldThanTheFirstClickIsAClick) {
    HWND first = GetDlgItem(m_dialog.m_hWnd, 10);
    HWND second = GetDlgItem(m_dialog.m_hWnd, 12);
    const CRect a = WindowManager::Instance().ScreenRect(first);
    const CRect b = WindowManager::Instance().ScreenRect(second);
    User::MouseDown({a.left + 5, a.top + 5}, false, false);
    User::MouseUp({a.left + 5, a.top + 5}, false);
    ASSERT_EQ(GetFocus(), first);
    User::MouseDown({b.left + 5, b.top + 5}, false, true);
    User::MouseUp({b.left + 5, b.top + 5}, false);
    EXPECT_EQ(GetFocus(), second);
}

TEST_F(DialogKeyboard, TooltipsShowAfterTheDelayAndHideOnAClick) {
    CToolTipCtrl tip;
    CWnd* edit = CWnd::FromHandle(GetDlgItem(m_dialog.m_hWnd, 10));
    tip.Create(edit);
    const CRect rect{0, 0, 50, 10};
    tip.AddTool(edit, "tip", &rect, 1);
    auto* control = ToolTipControlOf(tip.m_hWnd);
    CPoint over{5, 5};
    edit->ClientToScreen(&over);
    WindowManager::Instance().SetCursorPos(over);
    MSG move{edit->m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5), 0, {0, 0}};
    tip.SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&move));
    control->Update(tip.m_hWnd, control->hoverSince + 100);
    EXPECT_FALSE(control->visible);
    control->Update(tip.m_hWnd, control->hoverSince + ToolTipControl::kInitialDelayMs);
    EXPECT_TRUE(control->visible);
    MSG click{edit->m_hWnd, WM_LBUTTONDOWN, 0, MAKELPARAM(5, 5), 0, {0, 0}};
    tip.SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&click));
    EXPECT_FALSE(control->visible);
    MSG away{edit->m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(80, 5), 0, {0, 0}};
    tip.SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&away));
    control->Update(tip.m_hWnd, control->hoverSince + 10000);
    EXPECT_FALSE(control->visible) << "outside the tool rectangle";

    // Over the tool again it shows; when the pointer goes on to another control, which
    // relays nothing to this tooltip, it hides all the same.
    tip.SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&move));
    control->Update(tip.m_hWnd, control->hoverSince + ToolTipControl::kInitialDelayMs);
    ASSERT_TRUE(control->visible);
    CPoint elsewhere{5, 5};
    CWnd::FromHandle(GetDlgItem(m_dialog.m_hWnd, 12))->ClientToScreen(&elsewhere);
    WindowManager::Instance().SetCursorPos(elsewhere);
    control->Update(tip.m_hWnd, control->hoverSince + ToolTipControl::kInitialDelayMs + 10);
    EXPECT_FALSE(control->visible) << "the pointer left for another control";
}

}  // namespace

namespace {

TEST_F(DialogKeyboard, AWindowThatIsDisabledOrInADisabledDialogCannotTakeTheFocus) {
    HWND field = GetDlgItem(m_dialog.m_hWnd, 10);
    HWND disabled = GetDlgItem(m_dialog.m_hWnd, 11);
    SetFocus(field);
    EXPECT_EQ(SetFocus(disabled), nullptr);
    EXPECT_EQ(GetFocus(), field);
    EnableWindow(m_dialog.m_hWnd, FALSE);
    EXPECT_EQ(SetFocus(GetDlgItem(m_dialog.m_hWnd, 12)), nullptr) << "its dialog is disabled";
}

}  // namespace

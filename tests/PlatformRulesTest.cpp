#include <string>
#include <vector>

#include "PlatformFixture.h"
#include "platform/class_library/CDialog.h"
#include "platform/class_library/DataExchange.h"
#include "platform/window_system/DialogProcedure.h"
#include "platform/window_system/Clipboard.h"
#include "platform/window_system/WindowApi.h"

namespace {

constexpr int kEdit = 10;
constexpr int kLabel = 11;
constexpr UINT WM_PROBE = WM_USER + 1;
constexpr UINT WM_NESTED = WM_USER + 2;
constexpr UINT WM_LATER = WM_USER + 3;

constexpr DialogItemTemplate kItems[] = {
    {kEdit, WindowClass::Edit, WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 10, 10, 60, 12, ""},
    {kLabel, WindowClass::Static, WS_VISIBLE | SS_NOTIFY, 10, 30, 60, 12, "label"},
};
constexpr DialogTemplate kTemplate{1, false, WS_POPUP | WS_CAPTION, 0, 0, 0, 100, 60, "probe", "宋体", 9, kItems};

// Counts the text writes its window receives and passes them on.
class CountingEdit : public CWnd {
public:
    int writes = 0;

protected:
    LRESULT OnSetText(WPARAM, LPARAM) {
        ++writes;
        return Default();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CountingEdit, CWnd)
ON_MESSAGE(WM_SETTEXT, OnSetText)
END_MESSAGE_MAP()

// Handles its own click notification, reflected back by the parent.
class ClickableLabel : public CWnd {
public:
    int clicks = 0;

protected:
    void OnClicked() { ++clicks; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ClickableLabel, CWnd)
ON_CONTROL_REFLECT(STN_CLICKED, OnClicked)
END_MESSAGE_MAP()

class ProbeDialog : public CDialog {
public:
    ProbeDialog() = default;
    CString text;
    int updates = 0;
    int parentClicks = 0;
    std::vector<std::string> order;
    CountingEdit edit;
    ClickableLabel label;

    void Create() {
        SubclassWindow(CreateDialogWindow(kTemplate, nullptr));
        UpdateData(FALSE);
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Control(pDX, kEdit, edit);
        DDX_Control(pDX, kLabel, label);
        DDX_Text(pDX, kEdit, text);
    }
    void OnUpdateEdit() { ++updates; }
    void OnLabelClicked() { ++parentClicks; }
    LRESULT OnProbe(WPARAM, LPARAM) {
        order.push_back("probe begins");
        PostMessage(WM_LATER);
        SendMessage(WM_NESTED);
        order.push_back("probe ends");
        return 0;
    }
    LRESULT OnNested(WPARAM, LPARAM) {
        order.push_back("nested");
        return 0;
    }
    LRESULT OnLater(WPARAM, LPARAM) {
        order.push_back("posted");
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ProbeDialog, CDialog)
ON_EN_UPDATE(kEdit, OnUpdateEdit)
ON_CONTROL(STN_CLICKED, kLabel, OnLabelClicked)
ON_MESSAGE(WM_PROBE, OnProbe)
ON_MESSAGE(WM_NESTED, OnNested)
ON_MESSAGE(WM_LATER, OnLater)
END_MESSAGE_MAP()

class PlatformRules : public PlatformFixture {
protected:
    PlatformRules() { dialog.Create(); }
    HWND Edit() const { return GetDlgItem(dialog.m_hWnd, kEdit); }
    ProbeDialog dialog;
};

TEST_F(PlatformRules, NotificationsRaisedDuringAnExchangeAreDropped) {
    dialog.text = "abc";
    ASSERT_TRUE(dialog.UpdateData(FALSE));
    EXPECT_EQ(dialog.edit.writes, 1);
    EXPECT_EQ(dialog.updates, 0);
    dialog.edit.SetWindowText("typed");
    EXPECT_EQ(dialog.updates, 1) << "outside an exchange the parent hears of the change";
}

TEST_F(PlatformRules, AWriteOfTheTextTheFieldAlreadyReportsIsSkipped) {
    dialog.text = "same";
    dialog.UpdateData(FALSE);
    dialog.UpdateData(FALSE);
    EXPECT_EQ(dialog.edit.writes, 1);
    ASSERT_TRUE(dialog.UpdateData(TRUE));
    EXPECT_EQ(dialog.text, "same");
}

TEST_F(PlatformRules, SendingInsideAHandlerReentersAndPostingWaitsForTheHandlerToReturn) {
    dialog.SendMessage(WM_PROBE);
    EXPECT_EQ(dialog.order, (std::vector<std::string>{"probe begins", "nested", "probe ends"}));
    PumpMessages();
    EXPECT_EQ(dialog.order.back(), "posted");
}

TEST_F(PlatformRules, AReflectedNotificationIsHandledByTheChildAndNotThePArent) {
    SendMessage(dialog.label.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    EXPECT_EQ(dialog.label.clicks, 1);
    EXPECT_EQ(dialog.parentClicks, 0);
}

TEST_F(PlatformRules, AttachmentHappensOnTheFirstExchangeOnly) {
    HWND edit = dialog.edit.m_hWnd;
    dialog.UpdateData(FALSE);
    EXPECT_EQ(dialog.edit.m_hWnd, edit);
    EXPECT_EQ(CWnd::FromHandlePermanent(edit), &dialog.edit);
    EXPECT_EQ(GetWindowLongPtr(edit, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&AfxWndProc)) << "subclassed through its window procedure";
}

TEST_F(PlatformRules, EditRaisesUpdateForEveryTextChange) {
    SetFocus(Edit());
    SendMessage(Edit(), WM_CHAR, 'a', 1);
    SendMessage(Edit(), WM_CHAR, 'b', 1);
    SendMessage(Edit(), WM_CHAR, VK_BACK, 1);
    SendMessage(Edit(), EM_UNDO, 0, 0);
    EXPECT_EQ(dialog.updates, 4);
    CString text;
    dialog.edit.GetWindowText(text);
    EXPECT_EQ(text, "ab");
}

TEST_F(PlatformRules, ReadOnlyAndNumberFieldsFilterTyping) {
    SendMessage(Edit(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("12"));
    SendMessage(Edit(), EM_SETSEL, 2, 2);
    Edit()->style |= ES_NUMBER;
    SendMessage(Edit(), WM_CHAR, 'x', 1);
    SendMessage(Edit(), WM_CHAR, '3', 1);
    Edit()->style |= ES_READONLY;
    SendMessage(Edit(), WM_CHAR, '4', 1);
    SendMessage(Edit(), WM_CHAR, VK_BACK, 1);
    CString text;
    dialog.edit.GetWindowText(text);
    EXPECT_EQ(text, "123");
    // A read-only field still selects and copies.
    SendMessage(Edit(), EM_SETSEL, 0, -1);
    SendMessage(Edit(), WM_CHAR, 0x03, 1);
    EXPECT_EQ(ClipboardStore::Instance().Text().value_or(""), "123");
}

TEST_F(PlatformRules, PositionsAndCharacterIndexesAgree) {
    SendMessage(Edit(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("a中b"));
    for (int index : {0, 1, 4}) {
        const LRESULT pos = SendMessage(Edit(), EM_POSFROMCHAR, static_cast<WPARAM>(index), 0);
        ASSERT_NE(pos, -1);
        EXPECT_EQ(SendMessage(Edit(), EM_CHARFROMPOS, 0, pos), index);
    }
    EXPECT_EQ(SendMessage(Edit(), EM_POSFROMCHAR, 5, 0), -1) << "behind the last character";
}

}  // namespace

namespace {

TEST_F(PlatformRules, AChildIsFoundByItsIdAsChildrenComeGoAndChangeIds) {
    const HWND dlg = dialog.m_hWnd;
    const HWND edit = Edit();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(GetDlgItem(dlg, 999), nullptr);
    // A later child with an id already taken: the first one is still the answer.
    const HWND second = CreateWindowEx(0, "EDIT", "", WS_CHILD, 0, 0, 10, 10, dlg, reinterpret_cast<HMENU>(kEdit), nullptr, nullptr);
    const HWND third = CreateWindowEx(0, "EDIT", "", WS_CHILD, 0, 0, 10, 10, dlg, reinterpret_cast<HMENU>(999), nullptr, nullptr);
    EXPECT_EQ(GetDlgItem(dlg, kEdit), edit);
    EXPECT_EQ(GetDlgItem(dlg, 999), third);
    // An id taken away and given: each lookup follows.
    SetWindowLongPtr(third, GWL_ID, 77);
    EXPECT_EQ(GetDlgItem(dlg, 999), nullptr);
    EXPECT_EQ(GetDlgItem(dlg, 77), third);
    SetWindowLongPtr(edit, GWL_ID, 78);
    EXPECT_EQ(GetDlgItem(dlg, kEdit), second);
    SetWindowLongPtr(edit, GWL_ID, kEdit);
    EXPECT_EQ(GetDlgItem(dlg, kEdit), edit) << "the earlier child is first again";
    DestroyWindow(third);
    EXPECT_EQ(GetDlgItem(dlg, 77), nullptr);
    EXPECT_NE(GetDlgItem(dlg, kLabel), nullptr);
    EXPECT_EQ(GetDlgItem(third, kEdit), nullptr) << "a destroyed parent has no children";
    DestroyWindow(second);
}

// What a window was given or made for itself goes with it: a dialog built
// thousands of times must not pile anything up.
TEST_F(PlatformRules, AWindowsSystemMenuAndMenusItDidNotDestroyGoWithIt) {
    const HWND popup = CreateWindowEx(0, "#32770", "", WS_POPUP | WS_SYSMENU, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(popup, nullptr);
    const HMENU systemMenu = GetSystemMenu(popup, FALSE);
    ASSERT_NE(systemMenu, nullptr);
    DestroyWindow(popup);
    EXPECT_EQ(DestroyMenu(systemMenu), FALSE) << "the system menu was destroyed with its window";
}

}  // namespace

// The class library on the desktop API: subclassing through the window
// procedure, its modal loop over the message queue, and the rules it shares
// with the platform it was written for.
#include <string>
#include <vector>

#include "PlatformFixture.h"
#include "platform/class_library/CDialog.h"
#include "platform/window_system/DialogProcedure.h"
#include "platform/window_system/DialogTemplateImage.h"

namespace {

constexpr int kEdit = 10;

constexpr DialogItemTemplate kItems[] = {
    {IDOK, WindowClass::Button, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 100, 5, 40, 14, "确定"},
    {IDCANCEL, WindowClass::Button, WS_VISIBLE | WS_TABSTOP, 100, 22, 40, 14, "取消"},
    {kEdit, WindowClass::Edit, WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 5, 5, 60, 12, "abc"},
};
constexpr DialogTemplate kCentred{1, true, WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 0, 150, 60, "centred", "宋体", 9, kItems};
constexpr DialogTemplate kPlaced{2, false, WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 10, 20, 150, 60, "placed", "宋体", 9, kItems};

constexpr UINT WM_PROBE_PLACE = WM_USER + 20;

// Records what reaches it, and what its window's own procedure answers underneath.
class Recorder : public CDialog {
public:
    explicit Recorder(const DialogTemplate& t, bool refuseToClose = false) : m_refuseToClose(refuseToClose) { InitModalIndirect(AsDlgTemplate(t)); }
    std::vector<std::string> seen;
    CRect placedAt;
    int textLengthUnderneath = -1;

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        seen.push_back("init");
        // Where the dialog stands once it runs.
        PostMessage(WM_PROBE_PLACE);
        return TRUE;
    }
    void OnOK() override {
        seen.push_back("ok");
        CDialog::OnOK();
    }
    void OnCancel() override {
        seen.push_back("cancel");
        if (!m_refuseToClose) CDialog::OnCancel();
    }
    LRESULT OnGetTextLength(WPARAM, LPARAM) {
        textLengthUnderneath = static_cast<int>(Default());
        return textLengthUnderneath;
    }
    LRESULT OnProbePlace(WPARAM, LPARAM) {
        GetWindowRect(&placedAt);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
    bool m_refuseToClose;
};

BEGIN_MESSAGE_MAP(Recorder, CDialog)
ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
ON_MESSAGE(WM_PROBE_PLACE, OnProbePlace)
END_MESSAGE_MAP()

class ClassLibrary : public PlatformFixture {
protected:
    // Runs a dialog modally on the given driver input; the result is DoModal's.
    int Run(Recorder& dialog, const std::string& input) {
        m_in.str(input);
        return dialog.DoModal();
    }
};

TEST_F(ClassLibrary, SubclassingPutsTheObjectInFrontOfTheWindowsOwnProcedureAndDefaultReachesIt) {
    Recorder dialog(kCentred);
    HWND hWnd = CreateDialogWindow(kCentred, nullptr);
    const LONG_PTR standard = GetWindowLongPtr(hWnd, GWLP_WNDPROC);
    ASSERT_TRUE(dialog.SubclassWindow(hWnd));
    EXPECT_EQ(GetWindowLongPtr(hWnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&AfxWndProc));
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), &dialog);
    EXPECT_EQ(SendMessage(hWnd, WM_GETTEXTLENGTH, 0, 0), 7);
    EXPECT_EQ(dialog.textLengthUnderneath, 7) << "Default() hands the message on to the replaced procedure";
    EXPECT_FALSE(dialog.SubclassWindow(hWnd)) << "one object per window";
    EXPECT_NE(standard, GetWindowLongPtr(hWnd, GWLP_WNDPROC));
    DestroyWindow(hWnd);
    EXPECT_EQ(dialog.m_hWnd, nullptr) << "the object lets go of a destroyed window";
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
}

TEST_F(ClassLibrary, AnObjectThatGoesBeforeItsWindowGivesTheWindowItsProcedureBack) {
    HWND hWnd = CreateDialogWindow(kCentred, nullptr);
    const LONG_PTR standard = GetWindowLongPtr(hWnd, GWLP_WNDPROC);
    {
        Recorder dialog(kCentred);
        dialog.SubclassWindow(hWnd);
    }
    EXPECT_EQ(GetWindowLongPtr(hWnd, GWLP_WNDPROC), standard);
    EXPECT_EQ(SendMessage(hWnd, WM_GETTEXTLENGTH, 0, 0), 7) << "messages still reach the standard procedure";
    CWnd* stand = CWnd::FromHandle(hWnd);
    ASSERT_NE(stand, nullptr);
    EXPECT_EQ(stand->m_hWnd, hWnd) << "a window nobody attached gets a temporary object";
}

TEST_F(ClassLibrary, AtTheEndOfInputTheModalLoopClosesTheDialogAsItsCloseBoxWould) {
    Recorder dialog(kCentred);
    EXPECT_EQ(Run(dialog, ""), IDCANCEL);
    EXPECT_EQ(dialog.seen, (std::vector<std::string>{"init", "cancel"}));
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    EXPECT_TRUE(WindowManager::Instance().TopLevelWindows().empty());
}

TEST_F(ClassLibrary, ADialogThatWillNotCloseWhenInputEndsEndsWithTheProgram) {
    Recorder dialog(kCentred, true);
    EXPECT_EQ(Run(dialog, ""), -1) << "the quit message ends the modal loop";
    EXPECT_EQ(dialog.seen, (std::vector<std::string>{"init", "cancel"}));
    EXPECT_TRUE(WindowManager::Instance().TopLevelWindows().empty());
    MSG msg{};
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_QUIT) << "the quit is left for the loops further out";
}

TEST_F(ClassLibrary, ATemplateAtTheOriginIsCentredAndOneWithAPlaceKeepsIt) {
    const Rect work = m_backend.WorkArea();
    Recorder centred(kCentred);
    Run(centred, "");
    EXPECT_EQ(centred.placedAt.left, work.left + (work.Width() - centred.placedAt.Width()) / 2);
    EXPECT_EQ(centred.placedAt.top, work.top + (work.Height() - centred.placedAt.Height()) / 2);
    Recorder placed(kPlaced);
    m_in.clear();
    Run(placed, "");
    const Rect expected = DialogUnitsToPixels(10, 20, 0, 0);
    EXPECT_EQ(placed.placedAt.left, expected.left);
    EXPECT_EQ(placed.placedAt.top, expected.top);
}

TEST_F(ClassLibrary, KeysWaitInTheQueueBehindPostedMessagesAndSeeTheModifiersTheyCameWith) {
    Recorder dialog(kCentred);
    dialog.SubclassWindow(CreateDialogWindow(kCentred, nullptr));
    HWND edit = GetDlgItem(dialog.m_hWnd, kEdit);
    SetFocus(edit);
    WindowManager& wm = WindowManager::Instance();
    // Shift+Tab typed and released before the program looks at its queue.
    wm.SetKeyDown(VK_SHIFT, true);
    Input::KeyDown(VK_TAB, '\t');
    Input::KeyUp(VK_TAB);
    wm.SetKeyDown(VK_SHIFT, false);
    PostMessage(edit, EM_SETSEL, 0, 1);
    EXPECT_EQ(GetFocus(), edit) << "nothing happens before the loop runs";
    PumpMessages();
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog.m_hWnd, IDCANCEL)) << "Shift+Tab went backwards, as the keys were when it came";
    char text[16] = {};
    SendMessage(edit, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "abc") << "the dialog used the Tab; its character went nowhere";
    EXPECT_EQ(GetAsyncKeyState(VK_SHIFT), 0) << "between inputs the keys read as they are now";
}

TEST_F(ClassLibrary, ACharacterFollowsItsKeyOnlyWhenNobodyUsedTheKey) {
    Recorder dialog(kCentred);
    dialog.SubclassWindow(CreateDialogWindow(kCentred, nullptr));
    HWND edit = GetDlgItem(dialog.m_hWnd, kEdit);
    SetFocus(edit);
    SendMessage(edit, EM_SETSEL, 3, 3);
    Input::KeyDown('X', 'x');
    Input::KeyUp('X');
    Input::KeyDown(VK_RETURN, '\r');
    PumpMessages();
    char text[16] = {};
    SendMessage(edit, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "abcx");
    EXPECT_EQ(dialog.seen, (std::vector<std::string>{"ok"})) << "Enter pressed the default button";
}

}  // namespace

// What another program (the driver) reads and drives through the API: the
// thread's windows, dialog templates in their resource form, the dialog
// manager's groups, hardware input and the open menu.
#include <string>
#include <utility>
#include <vector>

#include <commctrl.h>

#include "PlatformFixture.h"
#include "platform/window_system/DialogTemplateImage.h"
#include "platform/window_system/InputRouter.h"
#include "platform/window_system/Menu.h"
#include "platform/window_system/MenuLayout.h"
#include "platform/window_system/WindowApi.h"

namespace {

constexpr DialogItemTemplate kItems[] = {
    {1, WindowClass::Button, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 100, 5, 40, 14, "确定"},
    {2, WindowClass::Button, WS_VISIBLE | WS_TABSTOP, 100, 22, 40, 14, "取消"},
    {10, WindowClass::Static, WS_VISIBLE | WS_GROUP, 5, 5, 60, 9, "标签"},
    {11, WindowClass::Edit, WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 5, 15, 60, 12, "abc"},
    {12, WindowClass::Static, WS_VISIBLE | SS_ICON, 5, 30, 20, 20, "#128"},
    {-1, WindowClass::Static, WS_VISIBLE | WS_GROUP, 5, 50, 60, 9, "尾注 𝄞"},
};

INT_PTR CALLBACK PlainProcedure(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

// The wheel messages that reach the dialog: the delta, and the point (on the screen).
std::vector<std::pair<int, POINT>> g_wheelTurns;
INT_PTR CALLBACK WheelProcedure(HWND, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_MOUSEWHEEL)
        g_wheelTurns.push_back({GET_WHEEL_DELTA_WPARAM(wParam), {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))}});
    return message == WM_INITDIALOG;
}

class AutomationApi : public PlatformFixture {
protected:
    HWND Open(bool extended, DLGPROC procedure = &PlainProcedure) {
        const DialogTemplate t{7, extended, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 0, 0, 0, 150, 70, "探针", "宋体", 9, kItems};
        m_image = CompileDialogTemplate(t);
        return CreateDialogIndirectParamA(nullptr, reinterpret_cast<LPCDLGTEMPLATE>(m_image.data()), nullptr, procedure, 0);
    }
    static std::string Text(HWND hWnd) {
        char text[64] = {};
        GetWindowTextA(hWnd, text, sizeof text);
        return text;
    }
    static std::string ClassName(HWND hWnd) {
        char name[64] = {};
        GetClassNameA(hWnd, name, sizeof name);
        return name;
    }
    // A key or button as hardware gives it, then the program's loop.
    static void Send(INPUT input) {
        SendInput(1, &input, sizeof input);
        PumpMessages();
    }
    static void Key(UINT vk, bool up) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = static_cast<WORD>(vk);
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        Send(input);
    }
    std::vector<WORD> m_image;
};

TEST_F(AutomationApi, TemplatesComeBackFromTheirResourceFormInBothLayouts) {
    for (const bool extended : {true, false}) {
        HWND dialog = Open(extended);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(Text(dialog), "探针");
        EXPECT_EQ(ClassName(dialog), "#32770");
        EXPECT_EQ(ClassName(GetDlgItem(dialog, 11)), "Edit");
        EXPECT_EQ(Text(GetDlgItem(dialog, 11)), "abc");
        EXPECT_EQ(ClassName(GetDlgItem(dialog, 1)), "Button");
        // Text beyond the basic plane survives the UTF-16 of the resource.
        HWND last = GetDlgItem(dialog, extended ? -1 : 0xFFFF);
        ASSERT_NE(last, nullptr) << "extended " << extended;
        EXPECT_EQ(Text(last), "尾注 𝄞");
        DestroyWindow(dialog);
    }
}

// An icon static's "#128" is its icon's resource number; a "#" name that is not a number as
// written back ("#0128", "#70000", "#icon") stays a name, or it would come back as another.
TEST(DialogTemplateImage, AnIconsNameIsANumberOnlyWhereItIsOneAsWritten) {
    for (const char* name : {"#128", "#0", "#65535", "#0128", "#70000", "#icon", "#", "#-1"}) {
        const DialogItemTemplate items[] = {{7, WindowClass::Static, WS_CHILD | SS_ICON, 1, 1, 20, 20, name}};
        const DialogTemplate t{1, false, WS_POPUP, 0, 0, 0, 50, 50, "", nullptr, 0, items};
        const std::vector<WORD> image = CompileDialogTemplate(t);
        LoadedDialogTemplate read;
        ASSERT_TRUE(read.Read(image.data(), image.size() * sizeof(WORD))) << name;
        EXPECT_STREQ(read.View().items[0].text, name);
    }
}

TEST_F(AutomationApi, TheProgramsDialogsAreFoundByTheirResources) {
    std::vector<int> ids;
    EnumResourceNamesA(
        nullptr, RT_DIALOG,
        [](HMODULE, LPCSTR, LPSTR name, LONG_PTR param) -> BOOL {
            reinterpret_cast<std::vector<int>*>(param)->push_back(static_cast<int>(reinterpret_cast<ULONG_PTR>(name)));
            return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&ids));
    ASSERT_FALSE(ids.empty());
    for (const int id : ids) {
        const auto* image = static_cast<const WORD*>(LockResource(LoadResource(nullptr, FindResourceA(nullptr, MAKEINTRESOURCE(id), RT_DIALOG))));
        ASSERT_NE(image, nullptr) << id;
    }
}

TEST_F(AutomationApi, EnumerationListsTheThreadsWindowsNewestFirst) {
    HWND first = Open(true);
    HWND second = Open(false);
    std::vector<HWND> seen;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hWnd, LPARAM param) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(param)->push_back(hWnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&seen));
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], second);
    EXPECT_EQ(seen[1], first);
    EXPECT_EQ(GetWindow(GetWindow(first, GW_CHILD), GW_HWNDNEXT), GetDlgItem(first, 2));
}

TEST_F(AutomationApi, ArrowGroupsRunRoundTheEndOfTheDialog) {
    HWND dialog = Open(true);
    HWND ok = GetDlgItem(dialog, 1);
    // OK opens the list without WS_GROUP: its group began at the last WS_GROUP control.
    EXPECT_EQ(GetNextDlgGroupItem(dialog, ok, FALSE), GetDlgItem(dialog, 2));
    EXPECT_EQ(GetNextDlgGroupItem(dialog, ok, TRUE), GetDlgItem(dialog, -1));
    EXPECT_EQ(GetNextDlgGroupItem(dialog, GetDlgItem(dialog, 2), FALSE), GetDlgItem(dialog, -1));
    EXPECT_EQ(GetNextDlgGroupItem(dialog, GetDlgItem(dialog, 10), FALSE), GetDlgItem(dialog, 11));
    EXPECT_EQ(GetNextDlgGroupItem(dialog, GetDlgItem(dialog, 12), FALSE), GetDlgItem(dialog, 10));
}

TEST_F(AutomationApi, HardwareKeysCarryTheirStateAndTheirCharacters) {
    HWND dialog = Open(true);
    HWND edit = GetDlgItem(dialog, 11);
    SetFocus(edit);
    SendMessage(edit, EM_SETSEL, 3, 3);
    Key(VK_SHIFT, false);
    EXPECT_LT(GetAsyncKeyState(VK_SHIFT), 0);
    Key('3', false);
    Key('3', true);
    Key(VK_SHIFT, true);
    EXPECT_EQ(GetAsyncKeyState(VK_SHIFT), 0);
    // A character no key types, in two UTF-16 halves.
    for (const WORD unit : {0xD834, 0xDD1E}) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wScan = unit;
        input.ki.dwFlags = KEYEVENTF_UNICODE;
        Send(input);
    }
    EXPECT_EQ(Text(edit), "abc#𝄞");
}

TEST_F(AutomationApi, TwoPressesMakeADoubleClickOnlyWhenCloseInTime) {
    HWND dialog = Open(true);
    HWND edit = GetDlgItem(dialog, 11);
    SetWindowTextA(edit, "ab cd");
    POINT p{2, 4};
    ClientToScreen(edit, &p);
    const auto press = [&p](DWORD flags, DWORD time) {
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dx = static_cast<LONG>(((2LL * p.x + 1) << 16) / (2LL * GetSystemMetrics(SM_CXSCREEN)));
        input.mi.dy = static_cast<LONG>(((2LL * p.y + 1) << 16) / (2LL * GetSystemMetrics(SM_CYSCREEN)));
        input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | flags;
        input.mi.time = time;
        Send(input);
    };
    DWORD start = 0, end = 0;
    press(MOUSEEVENTF_LEFTDOWN, 1000), press(MOUSEEVENTF_LEFTUP, 1000);
    press(MOUSEEVENTF_LEFTDOWN, 3000), press(MOUSEEVENTF_LEFTUP, 3000);
    SendMessage(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(end - start, 0u) << "two seconds apart are two clicks";
    press(MOUSEEVENTF_LEFTDOWN, 3001), press(MOUSEEVENTF_LEFTUP, 3001);
    SendMessage(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 2u) << "the second of two quick presses selects the word";
}

TEST_F(AutomationApi, TheWheelGoesToTheFocusAndWhatItLeavesToItsDialog) {
    g_wheelTurns.clear();
    HWND dialog = Open(true, &WheelProcedure);
    SetFocus(GetDlgItem(dialog, 11));
    POINT p{20, 30};
    ClientToScreen(dialog, &p);
    // Two notches towards the user, over the dialog; the edit has no use for them.
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>(((2LL * p.x + 1) << 16) / (2LL * GetSystemMetrics(SM_CXSCREEN)));
    input.mi.dy = static_cast<LONG>(((2LL * p.y + 1) << 16) / (2LL * GetSystemMetrics(SM_CYSCREEN)));
    input.mi.mouseData = static_cast<DWORD>(-2 * WHEEL_DELTA);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_WHEEL;
    Send(input);
    ASSERT_EQ(g_wheelTurns.size(), 1u);
    EXPECT_EQ(g_wheelTurns[0].first, -240);
    EXPECT_EQ(g_wheelTurns[0].second.x, p.x);
    EXPECT_EQ(g_wheelTurns[0].second.y, p.y);
}

TEST_F(AutomationApi, TheOpenMenuIsFoundThroughItsWindowAndEndsOnRequest) {
    HWND dialog = Open(true);
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, 100, "第一(&F)");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING | MF_GRAYED, 101, "第二(&S)");
    struct Seen {
        HMENU menu = nullptr;
        UINT state = 0;
        std::string text;
    } seen;
    // What the driver does from inside the menu's loop: find the popup, read it, end it.
    static Seen* s_seen;
    s_seen = &seen;
    m_backend.GetDriver().Queue([] {
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND hWnd, LPARAM) -> BOOL {
                char name[16] = {};
                GetClassNameA(hWnd, name, sizeof name);
                if (std::string(name) != "#32768") return TRUE;
                s_seen->menu = reinterpret_cast<HMENU>(SendMessageA(hWnd, MN_GETHMENU, 0, 0));
                return FALSE;
            },
            0);
        s_seen->state = GetMenuState(s_seen->menu, 2, MF_BYPOSITION);
        char text[32] = {};
        GetMenuStringA(s_seen->menu, 101, text, sizeof text, MF_BYCOMMAND);
        s_seen->text = text;
        EndMenu();
    });
    EXPECT_EQ(TrackMenu(menu, dialog, {10, 10}), 0u);
    EXPECT_EQ(seen.menu, menu);
    EXPECT_EQ(seen.state & MF_GRAYED, MF_GRAYED);
    EXPECT_EQ(seen.text, "第二(&S)");
    EXPECT_EQ(GetMenuItemCount(menu), 3);
}

// A press picks out what it is on and the release chooses it; only a press
// outside the menu closes it, and that press goes on to what it was meant for.
TEST_F(AutomationApi, PressesOnAnOpenMenuChooseOnlyWhatCanBeChosen) {
    HWND dialog = Open(true);
    const struct {
        int item;  // -1: beside the menu
        UINT chosen;
        bool stillOpen;
        const char* what;
    } cases[] = {
        {0, 100, false, "an item that can be chosen"},
        {1, 0, true, "the separator"},
        {2, 0, true, "a greyed item"},
        {-1, 0, false, "beside the menu"},
    };
    for (const auto& c : cases) {
        HMENU menu = CreatePopupMenu();
        AppendMenuA(menu, MF_STRING, 100, "第一(&F)");
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(menu, MF_STRING | MF_GRAYED, 101, "第二(&S)");
        static bool s_open;
        static int s_item;
        static Backend* s_backend;
        s_open = false, s_item = c.item, s_backend = &m_backend;
        m_backend.GetDriver().Queue([] {
            const MenuBox box = s_backend->MenuBoxOf(*GetTrackedMenu());
            const Rect r = s_item < 0 ? box.rect : box.items[static_cast<std::size_t>(s_item)].rect;
            const Point at = s_item < 0 ? Point{r.right + 4, r.top + 2} : Point{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
            Input::MouseDown(at, false, false);
            Input::MouseUp(at, false);
            s_open = GetTrackedMenu() != nullptr;
            EndMenu();
        });
        EXPECT_EQ(TrackMenu(menu, dialog, {10, 10}), c.chosen) << c.what;
        EXPECT_EQ(s_open, c.stillOpen) << c.what;
        DestroyMenu(menu);
    }
}

}  // namespace

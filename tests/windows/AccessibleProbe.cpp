// What a Windows screen reader reads of the program, through MSAA from another
// process as a reader does: each field's name, role, value and states; the focus
// as Tab moves it; the announcements when a field and the results it drives
// change; the system menu as it opens; the About box; and a badge's click action
// and the message box it brings, with its text.
//   accessible_probe.exe PATH-TO-dotwise.exe
#include <windows.h>

#include <oleacc.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr IID kAccessibleId = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

int failures = 0;

void Expect(const char* what, const std::string& got, const std::string& wanted) {
    const bool ok = got == wanted;
    std::printf("%s: %s: %s%s%s\n", ok ? "ok" : "FAILED", what, got.c_str(), ok ? "" : ", wanted ", ok ? "" : wanted.c_str());
    if (!ok) ++failures;
}

std::string Utf8(const wchar_t* text) {
    if (text == nullptr) return "(none)";
    const int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes.data(), length, nullptr, nullptr);
    bytes.resize(bytes.size() - 1);
    return bytes;
}

VARIANT Self() {
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    return self;
}

IAccessible* ObjectOf(HWND hWnd) {
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(hWnd, static_cast<DWORD>(OBJID_CLIENT), kAccessibleId, reinterpret_cast<void**>(&object)))) return nullptr;
    return object;
}

std::string NameOf(IAccessible* object) {
    BSTR name = nullptr;
    if (FAILED(object->get_accName(Self(), &name))) return "(failed)";
    std::string text = Utf8(name);
    SysFreeString(name);
    return text;
}

std::string ValueOf(IAccessible* object) {
    BSTR value = nullptr;
    if (FAILED(object->get_accValue(Self(), &value))) return "(failed)";
    std::string text = Utf8(value);
    SysFreeString(value);
    return text;
}

long StateOf(IAccessible* object) {
    VARIANT state;
    VariantInit(&state);
    return SUCCEEDED(object->get_accState(Self(), &state)) && state.vt == VT_I4 ? state.lVal : -1;
}

std::string RoleOf(IAccessible* object) {
    VARIANT role;
    VariantInit(&role);
    if (FAILED(object->get_accRole(Self(), &role)) || role.vt != VT_I4) return "(failed)";
    switch (role.lVal) {
    case ROLE_SYSTEM_TEXT: return "text";
    case ROLE_SYSTEM_PUSHBUTTON: return "push button";
    case ROLE_SYSTEM_RADIOBUTTON: return "radio button";
    case ROLE_SYSTEM_GRAPHIC: return "graphic";
    case ROLE_SYSTEM_GROUPING: return "grouping";
    default: return "role " + std::to_string(role.lVal);
    }
}

struct Found {
    DWORD process;
    HWND window;
    HWND except;
};

HWND DialogOf(DWORD process, HWND except = nullptr) {
    Found found{process, nullptr, except};
    for (int tries = 0; tries < 200 && found.window == nullptr; ++tries) {
        EnumWindows(
            [](HWND hWnd, LPARAM data) {
                auto* f = reinterpret_cast<Found*>(data);
                DWORD owner = 0;
                GetWindowThreadProcessId(hWnd, &owner);
                char className[16] = {};
                GetClassNameA(hWnd, className, sizeof className);
                if (owner != f->process || hWnd == f->except || !IsWindowVisible(hWnd) || lstrcmpA(className, "#32770") != 0) return TRUE;
                f->window = hWnd;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&found));
        if (found.window == nullptr) Sleep(50);
    }
    return found.window;
}

// The events the program raised, as a reader's out-of-context hook hears them.
struct Heard {
    DWORD event;
    HWND window;
};
std::vector<Heard> heard;

void CALLBACK OnEvent(HWINEVENTHOOK, DWORD event, HWND hWnd, LONG, LONG, DWORD, DWORD) { heard.push_back({event, hWnd}); }

// Pumps the hook's messages until the condition holds, or the deadline.
template <typename Condition>
bool Await(Condition done) {
    for (int waited = 0; waited < 5000; waited += 10) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        if (done()) return true;
        Sleep(10);
    }
    return false;
}

// The window of the first event (since the from'th) that passes the test, once heard.
template <typename Test>
HWND AwaitHeard(Test test, std::size_t from = 0) {
    HWND found = nullptr;
    Await([&] {
        for (std::size_t i = from; i < heard.size() && found == nullptr; ++i)
            if (test(heard[i])) found = heard[i].window;
        return found != nullptr;
    });
    return found;
}

// The same for one event, of a window that passes the test.
template <typename Test>
HWND AwaitEvent(DWORD event, Test test, std::size_t from = 0) {
    return AwaitHeard([&](const Heard& h) { return h.event == event && test(h.window); }, from);
}

bool IsMenuPopup(HWND hWnd) {
    char className[16] = {};
    GetClassNameA(hWnd, className, sizeof className);
    return lstrcmpA(className, "#32768") == 0;
}

HWND Focused(DWORD thread) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

// Reads one control's accessible object, or says it has none.
template <typename Read>
void WithObject(HWND control, const std::string& what, Read read) {
    IAccessible* object = ObjectOf(control);
    if (object == nullptr) {
        Expect((what + " has an accessible object").c_str(), "no", "yes");
        return;
    }
    read(object);
    object->Release();
}

void PressKey(HWND target, WPARAM key) {
    PostMessageA(target, WM_KEYDOWN, key, 1);
    PostMessageA(target, WM_KEYUP, key, 0xC0000001);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: accessible_probe PATH-TO-dotwise.exe\n");
        return 2;
    }
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION program{};
    std::string commandLine = std::string("\"") + argv[1] + "\"";
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &program)) {
        std::printf("FAILED: cannot start %s\n", argv[1]);
        return 1;
    }
    CoInitialize(nullptr);
    HWND dialog = DialogOf(program.dwProcessId);
    if (dialog == nullptr) {
        std::printf("FAILED: no dialog appeared\n");
        TerminateProcess(program.hProcess, 1);
        return 1;
    }

    struct Case {
        int id;
        const char* role;
        const char* name;
    };
    const Case cases[] = {
        {1000, "text", "矩阵的 X 方向像素(Pixel):"},
        {1004, "text", "矩阵的对角线长度(Inch):"},
        {1005, "text", "当前屏幕的 PPI [图像的 DPI ](点/平方英寸):"},
        // The row's label speaks for the result; the nominal capacity beside it has a name of its own.
        {1016, "text", "硬盘,U盘,SD卡等存储介质的标称 G 数:"},
        {1010, "text", "硬盘,U盘,SD卡等存储介质在电脑中的实际 G 数:"},
        {1, "push button", "确定"},
        {1014, "radio button", "周长"},
        // The badges share a tooltip; the program names each.
        {1017, "graphic", "织唛相关图像处理程序图标"},
        {1019, "graphic", "制版优化主程序图标"},
    };
    for (const Case& c : cases) {
        const std::string what = std::to_string(c.id);
        WithObject(GetDlgItem(dialog, c.id), what, [&](IAccessible* object) {
            Expect((what + "'s role").c_str(), RoleOf(object), c.role);
            Expect((what + "'s name").c_str(), NameOf(object), c.name);
        });
    }
    WithObject(GetDlgItem(dialog, 1000), "1000", [](IAccessible* x) {
        Expect("X's value", ValueOf(x), "1280");
        Expect("X can be typed in", (StateOf(x) & STATE_SYSTEM_READONLY) ? "no" : "yes", "yes");
    });
    WithObject(GetDlgItem(dialog, 1005), "1005",
               [](IAccessible* ppi) { Expect("the PPI is read-only", (StateOf(ppi) & STATE_SYSTEM_READONLY) ? "yes" : "no", "yes"); });

    HWINEVENTHOOK hook = SetWinEventHook(EVENT_MIN, EVENT_MAX, nullptr, OnEvent, program.dwProcessId, 0, WINEVENT_OUTOFCONTEXT);

    // Tab moves the focus, and a reader hears where to.
    const DWORD thread = GetWindowThreadProcessId(dialog, nullptr);
    const HWND before = Focused(thread);
    PressKey(before != nullptr ? before : dialog, VK_TAB);
    const HWND after = AwaitEvent(EVENT_OBJECT_FOCUS, [&](HWND h) { return h != before && GetParent(h) == dialog; });
    Expect("Tab announces the focus on another control", after != nullptr ? "yes" : "no", "yes");
    if (after != nullptr)
        WithObject(after, "the focused control", [](IAccessible* focused) {
            Expect("the control Tab reached says it has the focus", (StateOf(focused) & STATE_SYSTEM_FOCUSED) ? "yes" : "no", "yes");
        });

    // A new diagonal is announced, and so are the results it changes: as values at each key,
    // and, once the typing pauses, as a live region a reader speaks without the focus.
    HWND diagonal = GetDlgItem(dialog, 1004);
    HWND ppi = GetDlgItem(dialog, 1005);
    PostMessageA(diagonal, EM_SETSEL, 0, -1);
    PostMessageA(diagonal, WM_CHAR, '1', 1);
    PostMessageA(diagonal, WM_CHAR, '2', 1);
    const auto is = [](HWND wanted) { return [wanted](HWND h) { return h == wanted; }; };
    Expect("a typed 12 announces the diagonal's new value", AwaitEvent(EVENT_OBJECT_VALUECHANGE, is(diagonal)) ? "yes" : "no", "yes");
    Expect("and the PPI's", AwaitEvent(EVENT_OBJECT_VALUECHANGE, is(ppi)) ? "yes" : "no", "yes");
    Expect("and the PPI's live region once the typing paused", AwaitEvent(EVENT_OBJECT_LIVEREGIONCHANGED, is(ppi)) ? "yes" : "no", "yes");
    WithObject(ppi, "1005", [](IAccessible* result) { Expect("the PPI read then", ValueOf(result), "122"); });

    // The system menu is heard as it opens and closes: Windows raises the menu's own
    // events; Wine 8 raises none, and there the popup window made and gone stand for them.
    std::size_t mark = heard.size();
    PostMessageA(dialog, WM_SYSCOMMAND, SC_KEYMENU, ' ');
    HWND menu = AwaitHeard(
        [](const Heard& h) { return h.event == EVENT_SYSTEM_MENUPOPUPSTART || (h.event == EVENT_OBJECT_CREATE && IsMenuPopup(h.window)); }, mark);
    Expect("the system menu is announced as it opens", menu != nullptr ? "yes" : "no", "yes");
    mark = heard.size();
    PressKey(menu != nullptr ? menu : dialog, VK_ESCAPE);
    const bool closed = Await([&] {
        for (std::size_t i = mark; i < heard.size(); ++i)
            if (heard[i].event == EVENT_SYSTEM_MENUPOPUPEND) return true;
        return menu != nullptr && !IsWindow(menu);
    });
    Expect("and as it closes", closed ? "yes" : "no", "yes");

    // The About box: a dialog of its own, named, its texts read, its button focused.
    PostMessageA(dialog, WM_SYSCOMMAND, 0x0010, 0);
    if (HWND about = DialogOf(program.dwProcessId, dialog); about != nullptr) {
        IAccessible* window = nullptr;
        if (SUCCEEDED(AccessibleObjectFromWindow(about, static_cast<DWORD>(OBJID_CLIENT), kAccessibleId, reinterpret_cast<void**>(&window)))) {
            Expect("the About box's name", NameOf(window), "关于 Dotwise");
            window->Release();
        }
        std::string texts;
        for (HWND child = GetWindow(about, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
            WithObject(child, "an About box control", [&](IAccessible* object) { texts += NameOf(object) + "|"; });
        Expect("the About box reads its version", texts.find("Dotwise 1.0 版") != std::string::npos ? "yes" : texts, "yes");
        Expect("its button has the focus", AwaitEvent(EVENT_OBJECT_FOCUS, [&](HWND h) { return GetParent(h) == about; }) ? "yes" : "no", "yes");
        PostMessageA(about, WM_COMMAND, IDOK, 0);
    } else {
        Expect("the About box opens", "no", "yes");
    }

    // A badge's default action does what its click does: a message box, its text read.
    WithObject(GetDlgItem(dialog, 1018), "1018", [&](IAccessible* badge) {
        BSTR action = nullptr;
        Expect("the badge's default action", SUCCEEDED(badge->get_accDefaultAction(Self(), &action)) ? Utf8(action) : "(failed)", "单击");
        SysFreeString(action);
        badge->accDoDefaultAction(Self());
    });
    HWND box = DialogOf(program.dwProcessId, dialog);
    Expect("the badge's action brings its message box", box != nullptr ? "yes" : "no", "yes");
    if (box != nullptr) {
        WithObject(GetDlgItem(box, 0xFFFF), "the message", [](IAccessible* message) {
            const std::string text = NameOf(message);
            Expect("the message box reads its message", text.find("手工制作印章1998") != std::string::npos ? "yes" : text, "yes");
        });
        // The box disables the dialog: another badge's action is refused, as its click would be.
        WithObject(GetDlgItem(dialog, 1017), "1017", [](IAccessible* other) {
            Expect("another badge's action under the box", SUCCEEDED(other->accDoDefaultAction(Self())) ? "done" : "refused", "refused");
        });
        // The focus back in the dialog is heard after all the program said before it.
        mark = heard.size();
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        Expect("closing the box gives the dialog the focus again",
               AwaitEvent(
                   EVENT_OBJECT_FOCUS, [&](HWND h) { return GetParent(h) == dialog; }, mark)
                   ? "yes"
                   : "no",
               "yes");
    }
    // Counted now, long after the pause: two keys, one announcement.
    int live = 0;
    for (const Heard& h : heard) live += h.event == EVENT_OBJECT_LIVEREGIONCHANGED && h.window == ppi;
    Expect("the PPI's live region was announced", std::to_string(live) + " time(s)", "1 time(s)");
    UnhookWinEvent(hook);

    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    if (WaitForSingleObject(program.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(program.hProcess, 1);
    CoUninitialize();
    return failures == 0 ? 0 : 1;
}

// What a Windows screen reader reads of the program, through MSAA from another
// process as a reader does: each field's name and role, the badges' names and
// their click action, and the announcement when a field's value changes.
//   accessible_probe.exe PATH-TO-dotwise.exe
#include <windows.h>

#include <oleacc.h>

#include <cstdio>
#include <string>

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

HWND changed = nullptr;

void CALLBACK OnValueChange(HWINEVENTHOOK, DWORD, HWND hWnd, LONG object, LONG, DWORD, DWORD) {
    if (object == OBJID_CLIENT) changed = hWnd;
}

void Pump(int milliseconds, HWND until) {
    for (int waited = 0; waited < milliseconds && changed != until; waited += 10) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        Sleep(10);
    }
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
        IAccessible* object = ObjectOf(GetDlgItem(dialog, c.id));
        const std::string what = std::to_string(c.id);
        if (object == nullptr) {
            Expect((what + " has an accessible object").c_str(), "no", "yes");
            continue;
        }
        Expect((what + "'s role").c_str(), RoleOf(object), c.role);
        Expect((what + "'s name").c_str(), NameOf(object), c.name);
        object->Release();
    }

    // A change of the diagonal's value is announced.
    HWINEVENTHOOK hook =
        SetWinEventHook(EVENT_OBJECT_VALUECHANGE, EVENT_OBJECT_VALUECHANGE, nullptr, OnValueChange, program.dwProcessId, 0, WINEVENT_OUTOFCONTEXT);
    HWND diagonal = GetDlgItem(dialog, 1004);
    PostMessageA(diagonal, WM_CHAR, '5', 1);
    Pump(3000, diagonal);
    Expect("a typed 5 announces the diagonal's new value", changed == diagonal ? "yes" : "no", "yes");
    UnhookWinEvent(hook);

    // A badge's default action does what its click does: a message box.
    if (IAccessible* badge = ObjectOf(GetDlgItem(dialog, 1018)); badge != nullptr) {
        BSTR action = nullptr;
        Expect("the badge's default action", SUCCEEDED(badge->get_accDefaultAction(Self(), &action)) ? Utf8(action) : "(failed)", "单击");
        SysFreeString(action);
        badge->accDoDefaultAction(Self());
        badge->Release();
        HWND box = DialogOf(program.dwProcessId, dialog);
        Expect("the badge's action brings its message box", box != nullptr ? "yes" : "no", "yes");
        // The box disables the dialog: another badge's action is refused, as its click would be.
        if (IAccessible* other = ObjectOf(GetDlgItem(dialog, 1017)); other != nullptr) {
            Expect("another badge's action under the box", SUCCEEDED(other->accDoDefaultAction(Self())) ? "done" : "refused", "refused");
            other->Release();
        }
        if (box != nullptr) PostMessageA(box, WM_COMMAND, IDOK, 0);
    }

    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    if (WaitForSingleObject(program.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(program.hProcess, 1);
    CoUninitialize();
    return failures == 0 ? 0 : 1;
}

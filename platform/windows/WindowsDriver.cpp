#include "WindowsDriver.h"

#include <commctrl.h>
#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <thread>
#include <vector>

namespace {

constexpr UINT kLineArrived = WM_APP + 0x200;
constexpr UINT kStep = WM_APP + 0x201;
constexpr const char* kClassName = "DotwiseDriver";
WindowsDriver* g_driver = nullptr;

std::string ClassOf(HWND hWnd) {
    char name[64] = {};
    GetClassNameA(hWnd, name, sizeof name);
    return name;
}

std::string TextOf(HWND hWnd) {
    const auto length = SendMessageA(hWnd, WM_GETTEXTLENGTH, 0, 0);
    std::string buffer(static_cast<std::size_t>(std::max<LRESULT>(length, 0)) + 1, '\0');
    const auto n = SendMessageA(hWnd, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    buffer.resize(static_cast<std::size_t>(n < 0 ? 0 : n));
    return buffer;
}

// The caption of each of the program's dialog templates, by id, read from its own resources.
std::vector<std::pair<int, std::string>> DialogCaptions() {
    std::vector<std::pair<int, std::string>> captions;
    HMODULE module = GetModuleHandleA(nullptr);
    EnumResourceNamesA(
        module, RT_DIALOG,
        [](HMODULE m, LPCSTR, LPSTR name, LONG_PTR param) -> BOOL {
            if (!IS_INTRESOURCE(name)) return TRUE;
            HRSRC resource = FindResourceA(m, name, RT_DIALOG);
            const auto* p = static_cast<const WORD*>(LockResource(LoadResource(m, resource)));
            if (p == nullptr) return TRUE;
            const bool extended = p[1] == 0xFFFF;
            // The head, then the menu and the class, each a zero, an ordinal or a string.
            const WORD* w = p + (extended ? 13 : 9);
            for (int field = 0; field < 2; ++field) {
                if (*w == 0) w += 1;
                else if (*w == 0xFFFF) w += 2;
                else {
                    while (*w != 0) ++w;
                    ++w;
                }
            }
            std::wstring wide;
            while (*w != 0) wide += static_cast<wchar_t>(*w++);
            std::string utf8(static_cast<std::size_t>(wide.size()) * 3 + 1, '\0');
            const int n = WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), static_cast<int>(wide.size()), utf8.data(),
                                              static_cast<int>(utf8.size()), nullptr, nullptr);
            utf8.resize(static_cast<std::size_t>(std::max(n, 0)));
            reinterpret_cast<std::vector<std::pair<int, std::string>>*>(param)->emplace_back(
                static_cast<int>(reinterpret_cast<ULONG_PTR>(name)), utf8);
            return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&captions));
    return captions;
}

// The template a dialog was made from, found by its caption; 0 for a message box.
int TemplateOf(HWND dialog) {
    static const std::vector<std::pair<int, std::string>> captions = DialogCaptions();
    const std::string caption = TextOf(dialog);
    for (const auto& [id, text] : captions)
        if (text == caption) return id;
    return 0;
}

// The program's dialogs, oldest first: top-level dialog windows of this thread.
std::vector<HWND> Dialogs() {
    std::vector<HWND> dialogs;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hWnd, LPARAM param) -> BOOL {
            if (ClassOf(hWnd) == "#32770" && TemplateOf(hWnd) != 0) reinterpret_cast<std::vector<HWND>*>(param)->push_back(hWnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&dialogs));
    // The enumeration goes from the top of the z-order down.
    std::reverse(dialogs.begin(), dialogs.end());
    return dialogs;
}

// The dialog that takes input: the newest one that is enabled.
HWND ActiveDialog() {
    const std::vector<HWND> dialogs = Dialogs();
    for (auto it = dialogs.rbegin(); it != dialogs.rend(); ++it)
        if (IsWindowEnabled(*it)) return *it;
    return dialogs.empty() ? nullptr : dialogs.back();
}

HWND Control(const std::string& id) {
    HWND dialog = ActiveDialog();
    if (dialog == nullptr) throw DriverError("no dialog is open");
    HWND hWnd = GetDlgItem(dialog, DriverScript::ParseInt(id));
    if (hWnd == nullptr) throw DriverError("no control " + id);
    return hWnd;
}

// The client point of character `index` in an edit, or the centre of another control.
POINT ControlPoint(HWND hWnd, int index) {
    RECT client{};
    GetClientRect(hWnd, &client);
    if (ClassOf(hWnd) != "Edit" || index < 0) return {client.right / 2, client.bottom / 2};
    const int length = GetWindowTextLengthA(hWnd);
    // Behind the last character there is no character to ask about: the end of the last one.
    const int at = std::min(index, length);
    LRESULT pos = SendMessageA(hWnd, EM_POSFROMCHAR, static_cast<WPARAM>(at), 0);
    if (pos == -1 && at > 0) {
        const LRESULT last = SendMessageA(hWnd, EM_POSFROMCHAR, static_cast<WPARAM>(at - 1), 0);
        HDC dc = GetDC(hWnd);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(hWnd, WM_GETFONT, 0, 0)));
        const std::string text = TextOf(hWnd);
        SIZE size{};
        GetTextExtentPoint32A(dc, text.c_str() + (at - 1), 1, &size);
        SelectObject(dc, old);
        ReleaseDC(hWnd, dc);
        // A little past the end, so that the click lands behind the last character and not on its edge.
        RECT client{};
        GetClientRect(hWnd, &client);
        const int x = std::min<int>(static_cast<short>(LOWORD(last)) + size.cx + 2, std::max<int>(client.right - 1, 0));
        return {x, static_cast<short>(HIWORD(last)) + 1};
    }
    if (pos == -1) return {1, 1};
    return {static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos)) + 1};
}

void SetModifiers(bool shift, bool ctrl, bool alt) {
    BYTE state[256] = {};
    GetKeyboardState(state);
    const auto set = [&state](int vk, bool down) { state[vk] = down ? 0x80 : 0; };
    set(VK_SHIFT, shift);
    set(VK_LSHIFT, shift);
    set(VK_CONTROL, ctrl);
    set(VK_LCONTROL, ctrl);
    set(VK_MENU, alt);
    set(VK_LMENU, alt);
    SetKeyboardState(state);
}

LPARAM KeyData(UINT vk, bool alt, bool up) {
    LPARAM data = 1 | static_cast<LPARAM>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC) << 16);
    if (alt) data |= LPARAM{1} << 29;
    if (up) data |= LPARAM{3} << 30;
    return data;
}

// The menu being tracked: the one its popup window shows.
HMENU OpenMenu() {
    HWND popup = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hWnd, LPARAM param) -> BOOL {
            if (ClassOf(hWnd) != "#32768" || !IsWindowVisible(hWnd)) return TRUE;
            *reinterpret_cast<HWND*>(param) = hWnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&popup));
    return popup != nullptr ? reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0)) : nullptr;
}

bool MenuItemEnabled(HMENU menu, int position) {
    return (GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED)) == 0;
}

std::string MenuItemText(HMENU menu, int position) {
    char text[256] = {};
    GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
    return text;
}

// The item text as a user reads it: without the mnemonic marker.
std::string Label(const std::string& text) {
    std::string label;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) ++i;
        label += text[i];
    }
    return label;
}

}  // namespace

WindowsDriver::WindowsDriver() : DriverScript(std::cout) {
    AddInputCommands();
    AddReadingCommands();
    AddWritingCommands();
    for (const char* name : {"screenshot", "point", "cursor"}) {
        AddCommand(name, [name](const Args&) -> std::string {
            throw DriverError(std::string(name) + " is not available in the Windows build: it reads what only our own window system keeps");
        });
    }
}

WindowsDriver::~WindowsDriver() {
    if (m_cbtHook != nullptr) UnhookWindowsHookEx(m_cbtHook);
    if (g_driver == this) g_driver = nullptr;
}

bool WindowsDriver::Start() {
    // Answers are lines of their own: no "\r" before each "\n".
    _setmode(_fileno(stdout), _O_BINARY);
    g_driver = this;
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &WindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kClassName;
    RegisterClassA(&windowClass);
    m_window = CreateWindowExA(0, kClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr), nullptr);
    m_cbtHook = SetWindowsHookExA(WH_CBT, &CbtHook, nullptr, GetCurrentThreadId());
    if (m_window == nullptr || m_cbtHook == nullptr) return false;
    std::thread(&ReadInput, this).detach();
    return true;
}

void WindowsDriver::ReadInput(WindowsDriver* driver) {
    std::string line;
    while (std::getline(std::cin, line)) {
        {
            std::lock_guard<std::mutex> lock(driver->m_mutex);
            driver->m_lines.push_back(line);
        }
        PostMessageA(driver->m_window, kLineArrived, 0, 0);
    }
    {
        std::lock_guard<std::mutex> lock(driver->m_mutex);
        driver->m_inputEnded = true;
    }
    PostMessageA(driver->m_window, kLineArrived, 0, 0);
}

bool WindowsDriver::TakeLine(std::string& line) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_lines.empty()) return false;
    line = std::move(m_lines.front());
    m_lines.pop_front();
    return true;
}

LRESULT CALLBACK WindowsDriver::WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if ((message == kLineArrived || message == kStep) && g_driver != nullptr) {
        if (message == kStep) g_driver->m_stepPosted = false;
        g_driver->Step();
        return 0;
    }
    return DefWindowProcA(hWnd, message, wParam, lParam);
}

void WindowsDriver::PostStep() {
    if (m_stepPosted) return;
    m_stepPosted = true;
    PostMessageA(m_window, kStep, 0, 0);
}

// Whether the program has posted messages or input waiting, the driver's own aside.
bool WindowsDriver::ProgramHasWork() const {
    MSG msg{};
    constexpr UINT flags = PM_NOREMOVE | PM_QS_INPUT | PM_QS_POSTMESSAGE;
    return PeekMessageA(&msg, nullptr, 0, kLineArrived - 1, flags) || PeekMessageA(&msg, nullptr, kStep + 1, 0xFFFFFFFF, flags);
}

void WindowsDriver::Step() {
    // One event at a time, each once the program has done with the last: as a
    // user's actions come. A queue that never empties does not hold the driver up for ever.
    if (ProgramHasWork() && ++m_deferrals < 1000) {
        PostStep();
        return;
    }
    m_deferrals = 0;
    if (RunNextEvent()) {
        PostStep();
        return;
    }
    FlushAnswer();
    if (OutputFailed()) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_inputEnded = true;
        m_lines.clear();
    }
    std::string line;
    if (TakeLine(line)) {
        Execute(line);
        PostStep();
        return;
    }
    bool ended = false;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        ended = m_inputEnded;
    }
    if (ended) EndOfInput();
}

// Input has ended: each dialog is closed once as its close box would close it;
// one that stays open ends with the program.
void WindowsDriver::EndOfInput() {
    // A menu that is open goes first, as a click elsewhere would close it.
    if (OpenMenu() != nullptr) {
        EndMenu();
        PostStep();
        return;
    }
    HWND dialog = ActiveDialog();
    if (dialog == nullptr) return;
    if (std::find(m_closedAtEnd.begin(), m_closedAtEnd.end(), dialog) == m_closedAtEnd.end()) {
        m_closedAtEnd.push_back(dialog);
        SendMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        PostStep();
        return;
    }
    PostQuitMessage(0);
}

LRESULT CALLBACK WindowsDriver::CbtHook(int code, WPARAM wParam, LPARAM lParam) {
    WindowsDriver* driver = g_driver;
    if (code == HCBT_ACTIVATE && driver != nullptr) {
        auto hWnd = reinterpret_cast<HWND>(wParam);
        // A message box: a dialog none of the program's templates made.
        if (ClassOf(hWnd) == "#32770" && TemplateOf(hWnd) == 0) {
            char text[4096] = {};
            GetDlgItemTextA(hWnd, 0xFFFF, text, sizeof text);
            driver->ReportMessageBox(TextOf(hWnd), text);
            PostMessageA(hWnd, WM_COMMAND, IDOK, 0);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void WindowsDriver::QueueKeyPress(UINT vk, UINT ch, bool shift, bool ctrl, bool alt) {
    // The key goes to the focus; the system's translation makes its character.
    Queue([vk, ch, shift, ctrl, alt] {
        SetModifiers(shift, ctrl, alt);
        HWND target = GetFocus() != nullptr ? GetFocus() : ActiveDialog();
        if (vk != 0) PostMessageA(target, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, KeyData(vk, alt, false));
        else if (ch != 0) PostMessageA(target, WM_CHAR, ch, 1);
    });
    Queue([vk, alt] {
        HWND target = GetFocus() != nullptr ? GetFocus() : ActiveDialog();
        if (vk != 0) PostMessageA(target, alt ? WM_SYSKEYUP : WM_KEYUP, vk, KeyData(vk, alt, true));
        SetModifiers(false, false, false);
    });
}

namespace {

// A mouse message at a point of a control goes where the system would send
// it: to the window that captured the mouse, else to the window under the
// point (a disabled control's dialog, what lies beneath a transparent
// static), in that window's client coordinates.
void PostMouseAt(HWND hWnd, POINT p, UINT message, WPARAM keys) {
    if (!IsWindow(hWnd)) return;
    ClientToScreen(hWnd, &p);
    HWND target = GetCapture();
    if (target == nullptr) target = WindowFromPoint(p);
    if (target == nullptr || GetWindowThreadProcessId(target, nullptr) != GetCurrentThreadId()) target = hWnd;
    ScreenToClient(target, &p);
    PostMessageA(target, message, keys, MAKELPARAM(p.x, p.y));
}

void PostMouse(HWND hWnd, int index, UINT message, WPARAM keys) {
    if (IsWindow(hWnd)) PostMouseAt(hWnd, ControlPoint(hWnd, index), message, keys);
}

}  // namespace

void WindowsDriver::QueueClick(HWND hWnd, int index, bool right, bool twice) {
    Queue([hWnd, index, right] { PostMouse(hWnd, index, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, right ? MK_RBUTTON : MK_LBUTTON); });
    Queue([hWnd, index, right] { PostMouse(hWnd, index, right ? WM_RBUTTONUP : WM_LBUTTONUP, 0); });
    if (!twice) return;
    Queue([hWnd, index] { PostMouse(hWnd, index, WM_LBUTTONDBLCLK, MK_LBUTTON); });
    Queue([hWnd, index] { PostMouse(hWnd, index, WM_LBUTTONUP, 0); });
}

void WindowsDriver::AddInputCommands() {
    AddCommand("type", [this](const Args& a) {
        Need(a, 1, "type TEXT");
        std::wstring wide(a[0].size() + 1, L'\0');
        const int n = MultiByteToWideChar(CP_UTF8, 0, a[0].data(), static_cast<int>(a[0].size()), wide.data(), static_cast<int>(wide.size()));
        wide.resize(static_cast<std::size_t>(std::max(n, 0)));
        for (const wchar_t ch : wide) {
            const auto [vk, shift] = KeyForChar(ch);
            QueueKeyPress(vk, ch, shift, false, false);
        }
        return std::string("ok");
    });
    AddCommand("key", [this](const Args& a) {
        Need(a, 1, "key COMBO");
        bool shift = false, ctrl = false, alt = false;
        const UINT vk = ParseKeyCombo(a[0], shift, ctrl, alt);
        QueueKeyPress(vk, 0, shift, ctrl, alt);
        return std::string("ok");
    });
    AddCommand("focus", [this](const Args& a) {
        Need(a, 1, "focus ID");
        HWND hWnd = Control(a[0]);
        Queue([hWnd] { FocusAndSelectAll(hWnd); });
        return std::string("ok");
    });
    const auto click = [this](const Args& a, bool right, bool twice) {
        if (a.empty() || a.size() > 2) throw DriverError("usage: click ID [INDEX]");
        QueueClick(Control(a[0]), a.size() == 2 ? ParseInt(a[1]) : -1, right, twice);
        return std::string("ok");
    };
    AddCommand("click", [click](const Args& a) { return click(a, false, false); });
    AddCommand("rclick", [click](const Args& a) { return click(a, true, false); });
    AddCommand("dblclick", [click](const Args& a) {
        Need(a, 2, "dblclick ID INDEX");
        return click(a, false, true);
    });
    AddCommand("drag", [this](const Args& a) {
        Need(a, 3, "drag ID FROM TO");
        HWND hWnd = Control(a[0]);
        const int from = ParseInt(a[1]);
        const bool outside = a[2] == "outside";
        const int to = outside ? 0 : ParseInt(a[2]);
        // As a user's mouse would go: a disabled control never gets it.
        Queue([hWnd, from] { PostMouse(hWnd, from, WM_LBUTTONDOWN, MK_LBUTTON); });
        const auto target = [hWnd, to, outside] {
            POINT p = ControlPoint(hWnd, to);
            if (outside) {
                RECT client{};
                GetClientRect(hWnd, &client);
                p.x = client.right + 10;
            }
            return p;
        };
        Queue([hWnd, target] { PostMouseAt(hWnd, target(), WM_MOUSEMOVE, MK_LBUTTON); });
        Queue([hWnd, target] { PostMouseAt(hWnd, target(), WM_LBUTTONUP, 0); });
        return std::string("ok");
    });
    AddCommand("menu", [this](const Args& a) {
        Need(a, 1, "menu TEXT");
        HMENU menu = OpenMenu();
        if (menu == nullptr) throw DriverError("no menu is open");
        const int count = GetMenuItemCount(menu);
        for (int i = 0; i < count; ++i) {
            const std::string text = MenuItemText(menu, i);
            if (text.empty() || !MenuLabelMatches(Label(text), a[0])) continue;
            if (!MenuItemEnabled(menu, i)) throw DriverError("menu item is disabled: " + a[0]);
            // Chosen as a user does from the keyboard: Home to the first item, Down
            // past the items before it (separators are passed over), then Enter.
            int downs = 0;
            for (int j = 0; j < i; ++j)
                if (!(GetMenuState(menu, static_cast<UINT>(j), MF_BYPOSITION) & MF_SEPARATOR)) ++downs;
            std::vector<UINT> keys{VK_HOME};
            keys.insert(keys.end(), static_cast<std::size_t>(downs), VK_DOWN);
            keys.push_back(VK_RETURN);
            for (const UINT vk : keys) QueueKeyPress(vk, 0, false, false, false);
            return std::string("ok");
        }
        throw DriverError("no menu item " + a[0]);
    });
    AddCommand("quit", [this](const Args& a) {
        Need(a, 0, "quit");
        HWND dialog = ActiveDialog();
        if (dialog == nullptr) throw DriverError("no dialog is open");
        Queue([dialog] { SendMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); });
        return std::string("ok");
    });
}

void WindowsDriver::AddReadingCommands() {
    AddCommand("text", [](const Args& a) {
        Need(a, 1, "text ID");
        return Quote(TextOf(Control(a[0])));
    });
    AddCommand("shown", [](const Args& a) {
        Need(a, 1, "shown ID");
        HWND hWnd = Control(a[0]);
        // What the control shows is what its class's own procedure holds, whatever
        // a subclass answers to WM_GETTEXT.
        WNDCLASSA standard{};
        if (!GetClassInfoA(nullptr, "Edit", &standard) || ClassOf(hWnd) != "Edit") return Quote(TextOf(hWnd));
        const auto length = CallWindowProcA(standard.lpfnWndProc, hWnd, WM_GETTEXTLENGTH, 0, 0);
        std::string buffer(static_cast<std::size_t>(std::max<LRESULT>(length, 0)) + 1, '\0');
        const auto n = CallWindowProcA(standard.lpfnWndProc, hWnd, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
        buffer.resize(static_cast<std::size_t>(n < 0 ? 0 : n));
        return Quote(buffer);
    });
    AddCommand("sel", [](const Args& a) {
        Need(a, 1, "sel ID");
        DWORD start = 0, end = 0;
        SendMessageA(Control(a[0]), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return std::to_string(start) + " " + std::to_string(end);
    });
    AddCommand("clipboard", [](const Args& a) {
        Need(a, 0, "clipboard");
        return Quote(ClipboardText());
    });
    AddCommand("state", [](const Args& a) {
        Need(a, 0, "state");
        HWND dialog = ActiveDialog();
        if (dialog == nullptr) throw DriverError("no dialog is open");
        std::string answer;
        for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
            if (ClassOf(child) == "Edit") answer += std::to_string(GetDlgCtrlID(child)) + " " + Quote(TextOf(child)) + "\n";
        HWND focus = GetFocus();
        answer += "focus " + (focus != nullptr ? std::to_string(GetDlgCtrlID(focus)) : std::string("none")) + "\nend";
        return answer;
    });
    AddCommand("color", [](const Args& a) {
        Need(a, 1, "color ID");
        HWND hWnd = Control(a[0]);
        HDC dc = GetDC(hWnd);
        // Read-only and disabled edits are coloured as statics are; a disabled control draws its text grey.
        const bool editable = ClassOf(hWnd) == "Edit" && IsWindowEnabled(hWnd) && !(GetWindowLongA(hWnd, GWL_STYLE) & ES_READONLY);
        SendMessageA(GetParent(hWnd), editable ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hWnd));
        const COLORREF c = IsWindowEnabled(hWnd) ? GetTextColor(dc) : GetSysColor(COLOR_GRAYTEXT);
        ReleaseDC(hWnd, dc);
        char text[8];
        std::snprintf(text, sizeof text, "#%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
        return std::string(text);
    });
    AddCommand("caret", [](const Args& a) {
        Need(a, 1, "caret ID");
        HWND hWnd = Control(a[0]);
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(GetCurrentThreadId(), &info);
        if (info.hwndCaret == hWnd) {
            const LRESULT index = SendMessageA(hWnd, EM_CHARFROMPOS, 0, MAKELPARAM(info.rcCaret.left, info.rcCaret.top));
            return std::to_string(LOWORD(index));
        }
        DWORD start = 0, end = 0;
        SendMessageA(hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return std::to_string(end);
    });
    AddCommand("tooltip", [](const Args& a) {
        Need(a, 1, "tooltip ID");
        HWND hWnd = Control(a[0]);
        struct Search {
            HWND tool;
            std::string text;
        } search{hWnd, ""};
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND tip, LPARAM param) -> BOOL {
                auto* s = reinterpret_cast<Search*>(param);
                if (ClassOf(tip) != TOOLTIPS_CLASSA) return TRUE;
                const auto count = SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0);
                for (LRESULT i = 0; i < count; ++i) {
                    char text[1024] = {};
                    TOOLINFOA info{};
                    info.cbSize = sizeof info;
                    info.lpszText = text;
                    if (SendMessageA(tip, TTM_ENUMTOOLSA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&info)) && info.hwnd == s->tool) {
                        s->text = text;
                        return FALSE;
                    }
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return Quote(search.text);
    });
    AddCommand("sysmenu", [](const Args& a) {
        Need(a, 0, "sysmenu");
        HWND dialog = ActiveDialog();
        HMENU menu = dialog != nullptr ? GetSystemMenu(dialog, FALSE) : nullptr;
        if (menu == nullptr) throw DriverError("no system menu");
        std::string answer;
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            if (!answer.empty()) answer += ' ';
            answer += (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR) ? std::string("-") : Quote(MenuItemText(menu, i));
        }
        return answer;
    });
    AddCommand("dialogs", [](const Args& a) {
        Need(a, 0, "dialogs");
        std::string answer;
        for (HWND dialog : Dialogs()) {
            if (!answer.empty()) answer += ' ';
            answer += std::to_string(TemplateOf(dialog));
        }
        return answer;
    });
}

void WindowsDriver::AddWritingCommands() {
    AddCommand("settext", [](const Args& a) {
        Need(a, 2, "settext ID TEXT");
        return std::to_string(SendMessageA(Control(a[0]), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(a[1].c_str())));
    });
    AddCommand("setsel", [](const Args& a) {
        Need(a, 3, "setsel ID START END");
        const int start = ParseInt(a[1]);
        const int end = ParseInt(a[2]);
        return std::to_string(SendMessageA(Control(a[0]), EM_SETSEL, static_cast<WPARAM>(static_cast<INT_PTR>(start)), end));
    });
    AddCommand("setclipboard", [](const Args& a) {
        Need(a, 1, "setclipboard TEXT");
        SetClipboardText(a[0]);
        return std::string("ok");
    });
}

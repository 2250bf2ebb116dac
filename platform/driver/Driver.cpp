#include "Driver.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <utility>

namespace {

Driver* g_driver = nullptr;

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

std::string Utf8(const std::wstring& wide) {
    std::string utf8(wide.size() * 4 + 1, '\0');
    const int n =
        WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), static_cast<int>(wide.size()), utf8.data(), static_cast<int>(utf8.size()), nullptr, nullptr);
    utf8.resize(static_cast<std::size_t>(std::max(n, 0)));
    return utf8;
}

// The caption of a dialog template resource: past its head, its menu and its class.
std::string TemplateCaption(const WORD* p) {
    const bool extended = p[1] == 0xFFFF;
    const WORD* w = p + (extended ? 13 : 9);
    for (int field = 0; field < 2; ++field) {
        if (*w == 0)
            w += 1;
        else if (*w == 0xFFFF)
            w += 2;
        else {
            while (*w != 0) ++w;
            ++w;
        }
    }
    std::wstring wide;
    while (*w != 0) wide += static_cast<wchar_t>(*w++);
    return Utf8(wide);
}

// The caption of each of the program's dialog templates, by id, read from its own resources.
std::vector<std::pair<int, std::string>> DialogCaptions() {
    std::vector<std::pair<int, std::string>> captions;
    EnumResourceNamesA(
        GetModuleHandleA(nullptr), RT_DIALOG,
        [](HMODULE module, LPCSTR, LPSTR name, LONG_PTR param) -> BOOL {
            if (!IS_INTRESOURCE(name)) return TRUE;
            HRSRC resource = FindResourceA(module, name, RT_DIALOG);
            const auto* p = static_cast<const WORD*>(LockResource(LoadResource(module, resource)));
            if (p != nullptr)
                reinterpret_cast<std::vector<std::pair<int, std::string>>*>(param)->emplace_back(static_cast<int>(reinterpret_cast<ULONG_PTR>(name)),
                                                                                                 TemplateCaption(p));
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

// The thread's windows of a class, from the top of the z-order down.
std::vector<HWND> ThreadWindows(const char* className) {
    struct Search {
        const char* className;
        std::vector<HWND> found;
    } search{className, {}};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hWnd, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            if (ClassOf(hWnd) == s->className) s->found.push_back(hWnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The program's dialogs, oldest first.
std::vector<HWND> Dialogs() {
    std::vector<HWND> dialogs;
    for (HWND hWnd : ThreadWindows("#32770"))
        if (TemplateOf(hWnd) != 0) dialogs.insert(dialogs.begin(), hWnd);
    return dialogs;
}

// The dialog that takes input: the newest one that is enabled.
HWND ActiveDialog() {
    const std::vector<HWND> dialogs = Dialogs();
    for (auto it = dialogs.rbegin(); it != dialogs.rend(); ++it)
        if (IsWindowEnabled(*it)) return *it;
    return dialogs.empty() ? nullptr : dialogs.back();
}

HWND NeedDialog() {
    HWND dialog = ActiveDialog();
    if (dialog == nullptr) throw DriverError("no dialog is open");
    return dialog;
}

// The menu being tracked: the one its popup window shows.
HMENU OpenMenu() {
    for (HWND popup : ThreadWindows("#32768"))
        if (IsWindowVisible(popup)) return reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0));
    return nullptr;
}

bool MenuItemEnabled(HMENU menu, int position) {
    return (GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED)) == 0;
}

bool MenuItemIsSeparator(HMENU menu, int position) { return (GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION) & MF_SEPARATOR) != 0; }

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

// The byte where character `index` of UTF-8 text starts.
std::size_t ByteOfCharacter(const std::string& text, int index) {
    std::size_t at = 0;
    for (int n = 0; n < index && at < text.size(); ++n) do
            ++at;
        while (at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80);
    return at;
}

// How wide the last character of an edit's text is drawn.
int LastCharacterWidth(HWND edit, const std::string& text, int length) {
    const std::size_t from = ByteOfCharacter(text, length - 1);
    HDC dc = GetDC(edit);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(edit, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str() + from, static_cast<int>(text.size() - from), &size);
    SelectObject(dc, old);
    ReleaseDC(edit, dc);
    return size.cx;
}

// Input goes to the foreground window: the program's active one comes
// forward first, as a user's click on it would bring it.
void BringForward() {
    HWND active = GetActiveWindow();
    if (active != nullptr && GetForegroundWindow() != active) SetForegroundWindow(active);
}

void Send(INPUT input) {
    BringForward();
    SendInput(1, &input, sizeof input);
}

POINT PointOf(LRESULT pos) { return {static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos)) + 1}; }

std::string ColorText(COLORREF c) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
    return text;
}

// Where a pointer's hot spot is: a copy of a pointer keeps it.
std::pair<DWORD, DWORD> HotSpot(HCURSOR cursor) {
    ICONINFO info{};
    if (cursor == nullptr || !GetIconInfo(cursor, &info)) return {~0u, ~0u};
    if (info.hbmMask != nullptr) DeleteObject(reinterpret_cast<HGDIOBJ>(info.hbmMask));
    if (info.hbmColor != nullptr) DeleteObject(reinterpret_cast<HGDIOBJ>(info.hbmColor));
    return {info.xHotspot, info.yHotspot};
}

// The system pointer a cursor is, or a copy of: a control may set a copy of its own.
std::string PointerName(HCURSOR cursor) {
    const std::pair<const char*, LPCSTR> shapes[] = {{"arrow", IDC_ARROW}, {"ibeam", IDC_IBEAM}, {"hand", IDC_HAND}};
    for (const auto& [name, id] : shapes)
        if (cursor == LoadCursorA(nullptr, id)) return name;
    for (const auto& [name, id] : shapes)
        if (HotSpot(cursor) == HotSpot(LoadCursorA(nullptr, id))) return name;
    return "other";
}

}  // namespace

std::string ShownText(HWND hWnd) {
    WNDCLASSA standard{};
    if (ClassOf(hWnd) != "Edit" || !GetClassInfoA(nullptr, "Edit", &standard)) return TextOf(hWnd);
    const auto length = CallWindowProcA(standard.lpfnWndProc, hWnd, WM_GETTEXTLENGTH, 0, 0);
    std::string buffer(static_cast<std::size_t>(std::max<LRESULT>(length, 0)) + 1, '\0');
    const auto n = CallWindowProcA(standard.lpfnWndProc, hWnd, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    buffer.resize(static_cast<std::size_t>(n < 0 ? 0 : n));
    return buffer;
}

POINT ControlPoint(HWND hWnd, int index) {
    RECT client{};
    GetClientRect(hWnd, &client);
    if (ClassOf(hWnd) != "Edit" || index < 0) return {client.right / 2, client.bottom / 2};
    // Positions count the characters on screen, which a control of its own may
    // report differently through its window text (a formatted number does).
    const std::string shown = ShownText(hWnd);
    const int length = static_cast<int>(shown.size());
    const int at = std::min(index, length);
    // A character scrolled out of sight is clicked at the edge it lies behind, as a user would reach for it.
    const auto inside = [&client](POINT p) { return POINT{std::clamp<LONG>(p.x, 0, std::max<LONG>(client.right - 1, 0)), p.y}; };
    const LRESULT pos = SendMessageA(hWnd, EM_POSFROMCHAR, static_cast<WPARAM>(at), 0);
    if (pos != -1) return inside(PointOf(pos));
    if (at == 0) return {1, 1};
    // Behind the last character there is no character to ask about: a little
    // past the end of the last one, so that the click lands behind it and not on its edge.
    POINT last = PointOf(SendMessageA(hWnd, EM_POSFROMCHAR, static_cast<WPARAM>(at - 1), 0));
    last.x += LastCharacterWidth(hWnd, shown, at) + 2;
    return inside(last);
}

Driver::Driver(AnswerWriter write) : DriverScript(std::move(write)) { AddCommands(); }

Driver::~Driver() {
    if (m_cbtHook != nullptr) UnhookWindowsHookEx(m_cbtHook);
    if (g_driver == this) g_driver = nullptr;
}

bool Driver::Start() {
    g_driver = this;
    m_clock = GetTickCount();
    m_cbtHook = SetWindowsHookExA(WH_CBT, &CbtHook, nullptr, GetCurrentThreadId());
    return m_cbtHook != nullptr;
}

void Driver::AddCommands() {
    const std::pair<const char*, Handler> commands[] = {
        // What a user does: keys, the mouse, menus and the close box.
        {"type", &Driver::Type},
        {"key", &Driver::Key},
        {"focus", &Driver::Focus},
        {"click", &Driver::Click},
        {"rclick", &Driver::RightClick},
        {"dblclick", &Driver::DoubleClick},
        {"drag", &Driver::Drag},
        {"menu", &Driver::Menu},
        {"quit", &Driver::Quit},
        // Questions about what the program shows; they change nothing.
        {"text", &Driver::Text},
        {"shown", &Driver::Shown},
        {"sel", &Driver::Selection},
        {"clipboard", &Driver::Clipboard},
        {"state", &Driver::State},
        {"labels", &Driver::Labels},
        {"labelbox", &Driver::LabelBox},
        {"color", &Driver::Color},
        {"caret", &Driver::CaretIndex},
        {"tooltip", &Driver::ToolTip},
        {"rect", &Driver::Rectangle},
        {"cursor", &Driver::Cursor},
        {"sysmenu", &Driver::SystemMenu},
        {"openmenu", &Driver::OpenMenuItems},
        {"focused", &Driver::Focused},
        {"dialogs", &Driver::DialogList},
        // What other programs do: write a field's text and selection, or the clipboard.
        {"settext", &Driver::SetText},
        {"setsel", &Driver::SetSelection},
        {"setclipboard", &Driver::SetClipboard},
    };
    for (const auto& command : commands) {
        const Handler handler = command.second;
        AddCommand(command.first, [this, handler](const Args& a) { return (this->*handler)(a); });
    }
}

HWND Driver::Control(const std::string& id) {
    HWND hWnd = GetDlgItem(NeedDialog(), ParseInt(id));
    if (hWnd == nullptr) throw DriverError("no control " + id);
    return hWnd;
}

bool Driver::CloseOneAtEnd() {
    // A menu that is open goes first, as a click elsewhere would close it.
    if (OpenMenu() != nullptr) {
        EndMenu();
        return true;
    }
    HWND dialog = ActiveDialog();
    if (dialog == nullptr || std::find(m_closedAtEnd.begin(), m_closedAtEnd.end(), dialog) != m_closedAtEnd.end()) return false;
    m_closedAtEnd.push_back(dialog);
    SendMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    return true;
}

LRESULT CALLBACK Driver::CbtHook(int code, WPARAM wParam, LPARAM lParam) {
    // Only a box a command brought up: one the user's own hand brings up is the user's to answer.
    if (code == HCBT_ACTIVATE && g_driver != nullptr && g_driver->CommandInProgress()) {
        auto hWnd = reinterpret_cast<HWND>(wParam);
        // A message box: a dialog none of the program's templates made.
        if (ClassOf(hWnd) == "#32770" && TemplateOf(hWnd) == 0) {
            char text[4096] = {};
            GetDlgItemTextA(hWnd, 0xFFFF, text, sizeof text);
            g_driver->ReportMessageBox(TextOf(hWnd), text);
            PostMessageA(hWnd, WM_COMMAND, IDOK, 0);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// --- Input, queued to go in as hardware input does ---

void Driver::QueueKey(UINT vk, bool up) {
    Queue([vk, up] {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = static_cast<WORD>(vk);
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        Send(input);
    });
}

void Driver::QueueKeyPress(UINT vk, bool shift, bool ctrl, bool alt) {
    const std::pair<bool, UINT> modifiers[] = {{shift, VK_SHIFT}, {ctrl, VK_CONTROL}, {alt, VK_MENU}};
    for (const auto& [held, key] : modifiers)
        if (held) QueueKey(key, false);
    QueueKey(vk, false);
    QueueKey(vk, true);
    for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it)
        if (it->first) QueueKey(it->second, true);
}

// A character no key types, as an input method gives it: UTF-16 units, a pair beyond the basic plane.
void Driver::QueueCharacter(UINT codePoint) {
    std::vector<WORD> units;
    if (codePoint >= 0x10000)
        units = {static_cast<WORD>(0xD800 + ((codePoint - 0x10000) >> 10)), static_cast<WORD>(0xDC00 + ((codePoint - 0x10000) & 0x3FF))};
    else
        units = {static_cast<WORD>(codePoint)};
    for (const WORD unit : units) {
        for (const DWORD flags : {KEYEVENTF_UNICODE, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP}) {
            Queue([unit, flags] {
                INPUT input{};
                input.type = INPUT_KEYBOARD;
                input.ki.wScan = unit;
                input.ki.dwFlags = flags;
                Send(input);
            });
        }
    }
}

// The pointer to a point of the control and, with it, the buttons: where
// the control is when the event runs, so that a user's mouse would hit it.
void Driver::QueueMouse(HWND hWnd, int index, DWORD buttonFlags, bool outside, bool quickly) {
    // Two presses a second apart are never one double click; the second press of one follows at once.
    if (buttonFlags & (MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_RIGHTDOWN)) m_clock += quickly ? 1 : 1000;
    const DWORD time = m_clock;
    Queue([hWnd, index, buttonFlags, outside, time] {
        if (!IsWindow(hWnd)) return;
        POINT p = ControlPoint(hWnd, index);
        if (outside) {
            RECT client{};
            GetClientRect(hWnd, &client);
            p.x = client.right + 10;
        }
        ClientToScreen(hWnd, &p);
        const int width = std::max(GetSystemMetrics(SM_CXSCREEN), 1);
        const int height = std::max(GetSystemMetrics(SM_CYSCREEN), 1);
        INPUT input{};
        input.type = INPUT_MOUSE;
        // The middle of the pixel, in the 0 to 65535 that span the screen.
        input.mi.dx = static_cast<LONG>(((2LL * p.x + 1) << 16) / (2LL * width));
        input.mi.dy = static_cast<LONG>(((2LL * p.y + 1) << 16) / (2LL * height));
        input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttonFlags;
        input.mi.time = buttonFlags != 0 ? time : 0;
        Send(input);
    });
}

std::string Driver::Type(const Args& a) {
    Need(a, 1, "type TEXT");
    std::wstring wide(a[0].size() + 1, L'\0');
    const int n = MultiByteToWideChar(CP_UTF8, 0, a[0].data(), static_cast<int>(a[0].size()), wide.data(), static_cast<int>(wide.size()));
    wide.resize(static_cast<std::size_t>(std::max(n, 0)));
    for (std::size_t i = 0; i < wide.size(); ++i) {
        UINT ch = static_cast<UINT>(wide[i]);  // NOLINT(bugprone-signed-char-misuse): a UTF-16 unit, never negative
        // Where a wide character is half of a pair, the pair is one character.
        if (ch >= 0xD800 && ch < 0xDC00 && i + 1 < wide.size()) ch = 0x10000 + ((ch - 0xD800) << 10) + (static_cast<UINT>(wide[++i]) - 0xDC00);
        const auto [vk, shift] = KeyForChar(ch);
        if (vk != 0)
            QueueKeyPress(vk, shift, false, false);
        else
            QueueCharacter(ch);
    }
    return "ok";
}

std::string Driver::Key(const Args& a) {
    Need(a, 1, "key COMBO");
    bool shift = false, ctrl = false, alt = false;
    const UINT vk = ParseKeyCombo(a[0], shift, ctrl, alt);
    QueueKeyPress(vk, shift, ctrl, alt);
    return "ok";
}

std::string Driver::Focus(const Args& a) {
    Need(a, 1, "focus ID");
    HWND hWnd = Control(a[0]);
    Queue([hWnd] { FocusAndSelectAll(hWnd); });
    return "ok";
}

std::string Driver::QueueClick(const Args& a, bool right, bool twice) {
    if (a.empty() || a.size() > 2) throw DriverError("usage: click ID [INDEX]");
    HWND hWnd = Control(a[0]);
    const int index = a.size() == 2 ? ParseInt(a[1]) : -1;
    QueueMouse(hWnd, index, right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
    QueueMouse(hWnd, index, right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
    if (twice) {
        QueueMouse(hWnd, index, MOUSEEVENTF_LEFTDOWN, false, true);
        QueueMouse(hWnd, index, MOUSEEVENTF_LEFTUP);
    }
    return "ok";
}

std::string Driver::Click(const Args& a) { return QueueClick(a, false, false); }
std::string Driver::RightClick(const Args& a) { return QueueClick(a, true, false); }

std::string Driver::DoubleClick(const Args& a) {
    Need(a, 2, "dblclick ID INDEX");
    return QueueClick(a, false, true);
}

std::string Driver::Drag(const Args& a) {
    Need(a, 3, "drag ID FROM TO");
    HWND hWnd = Control(a[0]);
    const bool outside = a[2] == "outside";
    const int to = outside ? 0 : ParseInt(a[2]);
    QueueMouse(hWnd, ParseInt(a[1]), MOUSEEVENTF_LEFTDOWN);
    QueueMouse(hWnd, to, 0, outside);
    QueueMouse(hWnd, to, MOUSEEVENTF_LEFTUP, outside);
    return "ok";
}

// Chosen as a user does from the keyboard: Home to the first item, Down past
// the items before it (the arrows pass over separators only), then Enter.
std::string Driver::Menu(const Args& a) {
    Need(a, 1, "menu TEXT");
    HMENU menu = OpenMenu();
    if (menu == nullptr) throw DriverError("no menu is open");
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        const std::string text = MenuItemText(menu, i);
        if (text.empty() || !MenuLabelMatches(Label(text), a[0])) continue;
        if (!MenuItemEnabled(menu, i)) throw DriverError("menu item is disabled: " + a[0]);
        QueueKeyPress(VK_HOME, false, false, false);
        for (int j = 0; j < i; ++j)
            if (!MenuItemIsSeparator(menu, j)) QueueKeyPress(VK_DOWN, false, false, false);
        QueueKeyPress(VK_RETURN, false, false, false);
        return "ok";
    }
    throw DriverError("no menu item " + a[0]);
}

std::string Driver::Quit(const Args& a) {
    Need(a, 0, "quit");
    HWND dialog = NeedDialog();
    // An open menu runs a loop of its own: it ends first, as at the end of input,
    // so that the close reaches the dialog's loop and not one that goes on after it.
    Queue([] {
        if (OpenMenu() != nullptr) EndMenu();
    });
    Queue([dialog] {
        if (IsWindow(dialog)) SendMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    return "ok";
}

std::string Driver::Text(const Args& a) {
    Need(a, 1, "text ID");
    return Quote(TextOf(Control(a[0])));
}

// What the control shows is what its class's own procedure holds, whatever a subclass answers to WM_GETTEXT.
std::string Driver::Shown(const Args& a) {
    Need(a, 1, "shown ID");
    return Quote(ShownText(Control(a[0])));
}

std::string Driver::Selection(const Args& a) {
    Need(a, 1, "sel ID");
    DWORD start = 0, end = 0;
    SendMessageA(Control(a[0]), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return std::to_string(start) + " " + std::to_string(end);
}

std::string Driver::Clipboard(const Args& a) {
    Need(a, 0, "clipboard");
    return Quote(ClipboardText());
}

std::string Driver::State(const Args& a) {
    Need(a, 0, "state");
    std::string answer;
    for (HWND child = GetWindow(NeedDialog(), GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        if (ClassOf(child) == "Edit") answer += std::to_string(GetDlgCtrlID(child)) + " " + Quote(TextOf(child)) + "\n";
    HWND focus = GetFocus();
    return answer + "focus " + (focus != nullptr ? std::to_string(GetDlgCtrlID(focus)) : std::string("none")) + "\nend";
}

// The dialog's statics and buttons in template order; pictures have no text to read.
std::vector<HWND> Driver::LabelWindows() {
    std::vector<HWND> labels;
    for (HWND child = GetWindow(NeedDialog(), GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        const std::string cls = ClassOf(child);
        const bool picture = cls == "Static" && (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
        if ((cls == "Static" || cls == "Button") && !picture) labels.push_back(child);
    }
    return labels;
}

// What the dialog on top says: its caption, then each label's text.
std::string Driver::Labels(const Args& a) {
    Need(a, 0, "labels");
    std::string answer = "caption " + Quote(TextOf(NeedDialog())) + "\n";
    for (HWND label : LabelWindows()) answer += std::to_string(GetDlgCtrlID(label)) + " " + Quote(TextOf(label)) + "\n";
    return answer + "end";
}

// Where the Nth label of `labels` stands, as `rect` answers, and which way a static aligns its text.
std::string Driver::LabelBox(const Args& a) {
    Need(a, 1, "labelbox N");
    const std::vector<HWND> labels = LabelWindows();
    const int n = ParseInt(a[0]);
    if (n < 1 || n > static_cast<int>(labels.size())) throw DriverError("no label " + a[0]);
    HWND label = labels[static_cast<std::size_t>(n - 1)];
    RECT r{};
    GetWindowRect(label, &r);
    POINT origin{0, 0};
    ClientToScreen(NeedDialog(), &origin);
    const LONG style = GetWindowLongA(label, GWL_STYLE);
    const char* align = "button";
    if (ClassOf(label) == "Static") align = (style & SS_TYPEMASK) == SS_RIGHT ? "right" : (style & SS_TYPEMASK) == SS_LEFT ? "left" : "center";
    return std::to_string(r.left - origin.x) + " " + std::to_string(r.top - origin.y) + " " + std::to_string(r.right - r.left) + " " +
           std::to_string(r.bottom - r.top) + " " + align;
}

// The colour the dialog gives the control's text; a disabled control draws its text grey.
std::string Driver::Color(const Args& a) {
    Need(a, 1, "color ID");
    HWND hWnd = Control(a[0]);
    if (!IsWindowEnabled(hWnd)) return ColorText(GetSysColor(COLOR_GRAYTEXT));
    // Read-only edits are coloured as statics are.
    const bool editable = ClassOf(hWnd) == "Edit" && !(GetWindowLongA(hWnd, GWL_STYLE) & ES_READONLY);
    HDC dc = GetDC(hWnd);
    SendMessageA(GetParent(hWnd), editable ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hWnd));
    const COLORREF c = GetTextColor(dc);
    ReleaseDC(hWnd, dc);
    return ColorText(c);
}

// Where the caret shows: a control may place it itself at either end of a selection.
std::string Driver::CaretIndex(const Args& a) {
    Need(a, 1, "caret ID");
    HWND hWnd = Control(a[0]);
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (GetGUIThreadInfo(GetCurrentThreadId(), &info) && info.hwndCaret == hWnd) {
        const LRESULT index = SendMessageA(hWnd, EM_CHARFROMPOS, 0, MAKELPARAM(info.rcCaret.left, info.rcCaret.top));
        return std::to_string(LOWORD(index));
    }
    DWORD start = 0, end = 0;
    SendMessageA(hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return std::to_string(end);
}

std::string Driver::ToolTip(const Args& a) {
    Need(a, 1, "tooltip ID");
    HWND hWnd = Control(a[0]);
    for (HWND tip : ThreadWindows(TOOLTIPS_CLASSA)) {
        const auto count = SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            char text[1024] = {};
            TOOLINFOA info{};
            info.cbSize = sizeof info;
            info.lpszText = text;
            if (SendMessageA(tip, TTM_ENUMTOOLSA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&info)) && info.hwnd == hWnd) return Quote(text);
        }
    }
    return Quote("");
}

// Where a control, or the open menu, stands: from the active dialog's client
// area, so the answer does not depend on where the window was placed.
std::string Driver::Rectangle(const Args& a) {
    Need(a, 1, "rect ID|menu|dialog");
    HWND hWnd = nullptr;
    if (a[0] == "dialog") {
        RECT client{};
        GetClientRect(NeedDialog(), &client);
        return "0 0 " + std::to_string(client.right) + " " + std::to_string(client.bottom);
    }
    if (a[0] == "menu") {
        for (HWND popup : ThreadWindows("#32768"))
            if (IsWindowVisible(popup)) hWnd = popup;
        if (hWnd == nullptr) throw DriverError("no menu is open");
    } else {
        hWnd = Control(a[0]);
    }
    RECT r{};
    GetWindowRect(hWnd, &r);
    POINT origin{0, 0};
    ClientToScreen(NeedDialog(), &origin);
    return std::to_string(r.left - origin.x) + " " + std::to_string(r.top - origin.y) + " " + std::to_string(r.right - r.left) + " " +
           std::to_string(r.bottom - r.top);
}

// The pointer as it would be after moving onto the control from the dialog's face.
std::string Driver::Cursor(const Args& a) {
    Need(a, 1, "cursor ID");
    HWND hWnd = Control(a[0]);
    HCURSOR before = SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    SendMessageA(hWnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    const HCURSOR cursor = GetCursor();
    SetCursor(before);
    return PointerName(cursor);
}

// A menu's items, each quoted, a separator as "-".
std::string Driver::MenuItems(HMENU menu) {
    std::string answer;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (!answer.empty()) answer += ' ';
        answer += MenuItemIsSeparator(menu, i) ? std::string("-") : Quote(MenuItemText(menu, i));
    }
    return answer;
}

std::string Driver::SystemMenu(const Args& a) {
    Need(a, 0, "sysmenu");
    HWND dialog = ActiveDialog();
    HMENU menu = dialog != nullptr ? GetSystemMenu(dialog, FALSE) : nullptr;
    if (menu == nullptr) throw DriverError("no system menu");
    return MenuItems(menu);
}

std::string Driver::OpenMenuItems(const Args& a) {
    Need(a, 0, "openmenu");
    HMENU menu = OpenMenu();
    return menu != nullptr ? MenuItems(menu) : "none";
}

std::string Driver::Focused(const Args& a) {
    Need(a, 0, "focused");
    HWND focus = GetFocus();
    return focus != nullptr ? std::to_string(GetDlgCtrlID(focus)) : "none";
}

std::string Driver::DialogList(const Args& a) {
    Need(a, 0, "dialogs");
    std::string answer;
    for (HWND dialog : Dialogs()) {
        if (!answer.empty()) answer += ' ';
        answer += std::to_string(TemplateOf(dialog));
    }
    return answer;
}

std::string Driver::SetText(const Args& a) {
    Need(a, 2, "settext ID TEXT");
    return std::to_string(SendMessageA(Control(a[0]), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(a[1].c_str())));
}

std::string Driver::SetSelection(const Args& a) {
    Need(a, 3, "setsel ID START END");
    const int start = ParseInt(a[1]);
    const int end = ParseInt(a[2]);
    return std::to_string(SendMessageA(Control(a[0]), EM_SETSEL, static_cast<WPARAM>(static_cast<INT_PTR>(start)), end));
}

std::string Driver::SetClipboard(const Args& a) {
    Need(a, 1, "setclipboard TEXT");
    SetClipboardText(a[0]);
    return "ok";
}

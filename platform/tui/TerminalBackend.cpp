#include "TerminalBackend.h"

#ifndef _XOPEN_SOURCE_EXTENDED
#define _XOPEN_SOURCE_EXTENDED 1
#endif
#include <ncursesw/curses.h>

#include <poll.h>
#include <unistd.h>

#include <cctype>
#include <cstring>
#include <string>

#include "../window_system/Clipboard.h"
#include "../window_system/InputRouter.h"
#include "../window_system/InterfaceLanguage.h"
#include "../window_system/Menu.h"
#include "../window_system/MenuLayout.h"
#include "../window_system/ToolTip.h"
#include "../window_system/Utf8.h"
#include "../window_system/WindowApi.h"
#include "../window_system/WindowManager.h"
#include "TerminalPainter.h"

namespace {

WindowManager& wm() { return WindowManager::Instance(); }

constexpr int kPasteBegin = KEY_MAX + 1;
constexpr int kPasteEnd = KEY_MAX + 2;
constexpr unsigned kDoubleClickMs = 400;

Point CellCentre(int column, int row) { return {column * kCellWidth + kCellWidth / 2, row * kCellHeight + kCellHeight / 2}; }

std::string Base64(const std::string& text) {
    static const char* alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    std::size_t i = 0;
    for (; i + 2 < text.size(); i += 3) {
        const unsigned v =
            (static_cast<unsigned char>(text[i]) << 16) | (static_cast<unsigned char>(text[i + 1]) << 8) | static_cast<unsigned char>(text[i + 2]);
        for (int shift : {18, 12, 6, 0}) out += alphabet[(v >> shift) & 63];
    }
    if (i < text.size()) {
        unsigned v = static_cast<unsigned char>(text[i]) << 16;
        if (i + 1 < text.size()) v |= static_cast<unsigned char>(text[i + 1]) << 8;
        out += alphabet[(v >> 18) & 63];
        out += alphabet[(v >> 12) & 63];
        out += i + 1 < text.size() ? alphabet[(v >> 6) & 63] : '=';
        out += '=';
    }
    return out;
}

struct NamedKey {
    const char* name;
    unsigned vk;
};

// The terminal's names for keys with modifiers: kLFT5 is Ctrl+Left, kRIT2 Shift+Right.
constexpr NamedKey kModifiedKeys[] = {{"kLFT", VK_LEFT}, {"kRIT", VK_RIGHT}, {"kUP", VK_UP},     {"kDN", VK_DOWN},
                                      {"kHOM", VK_HOME}, {"kEND", VK_END},   {"kDC", VK_DELETE}, {"kIC", VK_INSERT}};

// What terminals send for the editing keys, whatever their description says:
// a tmux or screen claiming to be an xterm sends the VT220 forms, and the
// other way round.
constexpr struct {
    const char* sequence;
    int key;
} kCommonKeySequences[] = {
    {"\033[1~", KEY_HOME}, {"\033[7~", KEY_HOME}, {"\033[H", KEY_HOME}, {"\033OH", KEY_HOME}, {"\033[4~", KEY_END},   {"\033[8~", KEY_END},
    {"\033[F", KEY_END},   {"\033OF", KEY_END},   {"\033[2~", KEY_IC},  {"\033[3~", KEY_DC},  {"\033[5~", KEY_PPAGE}, {"\033[6~", KEY_NPAGE},
};

}  // namespace

int TerminalTextMetrics::TextWidth(std::string_view utf8) const { return TerminalWidth(utf8) * kCellWidth; }

TerminalBackend::TerminalBackend() : m_screen(std::make_unique<TerminalScreen>()) {
    define_key("\033[200~", kPasteBegin);
    define_key("\033[201~", kPasteEnd);
    for (const auto& [sequence, key] : kCommonKeySequences)
        if (key_defined(sequence) == 0) define_key(sequence, key);
}

TerminalBackend::~TerminalBackend() = default;

Rect TerminalBackend::WorkArea() const { return {0, 0, m_screen->Columns() * kCellWidth, m_screen->Rows() * kCellHeight}; }

// A menu item is one cell high, and the menu's frame one cell thick.
MenuBox TerminalBackend::MenuBoxOf(const TrackedMenu& menu) const { return LayOutMenu(menu, m_metrics, WorkArea(), 0, kCellHeight); }

void TerminalBackend::ExportClipboard(const std::string& text) {
    // OSC 52 hands the text to the terminal's own clipboard where the terminal allows it.
    TerminalScreen::Raw("\033]52;c;" + Base64(text) + "\a");
}

bool TerminalBackend::TooSmall(int& needColumns, int& needRows) const {
    needColumns = 0;
    needRows = 0;
    for (HWND top : wm().TopLevelWindows()) {
        if (top->windowClass != WindowClass::Dialog || !top->IsVisible()) continue;
        needColumns = std::max(needColumns, (top->rect.Width() + kCellWidth - 1) / kCellWidth);
        needRows = std::max(needRows, (top->rect.Height() + kCellHeight - 1) / kCellHeight);
    }
    return needColumns > m_screen->Columns() || needRows > m_screen->Rows();
}

void TerminalBackend::KeepDialogsCentred() {
    // The first dialog is centred in the terminal; the ones over it move along.
    const std::vector<HWND> tops = wm().TopLevelWindows();
    HWND main = nullptr;
    for (HWND top : tops)
        if (top->windowClass == WindowClass::Dialog && top->IsVisible()) {
            main = top;
            break;
        }
    if (main == nullptr) return;
    const Rect area = WorkArea();
    const int left = std::max(0, CellColumn((area.Width() - main->rect.Width()) / 2)) * kCellWidth;
    const int top = std::max(0, CellRow((area.Height() - main->rect.Height()) / 2)) * kCellHeight;
    const int dx = left - main->rect.left;
    const int dy = top - main->rect.top;
    if (dx == 0 && dy == 0) return;
    for (HWND window : tops) window->rect.OffsetRect(dx, dy);
}

void TerminalBackend::Paint() {
    KeepDialogsCentred();
    int needColumns = 0;
    int needRows = 0;
    if (TooSmall(needColumns, needRows)) {
        m_screen->Clear(RGB(0, 0, 0));
        const std::string need = std::to_string(needColumns) + "×" + std::to_string(needRows);
        const std::string have = std::to_string(m_screen->Columns()) + "×" + std::to_string(m_screen->Rows());
        const std::string message = InterfaceIsChinese() ? "终端太小: 需要 " + need + ", 现在只有 " + have
                                                         : "The terminal is too small: " + need + " needed, " + have + " now";
        m_screen->Text(std::max(0, (m_screen->Columns() - TerminalWidth(message)) / 2), m_screen->Rows() / 2, message, RGB(255, 255, 255),
                       RGB(0, 0, 0));
        m_screen->Cursor(-1, -1, false);
        m_screen->Present();
    } else {
        TerminalPainter(*m_screen, m_metrics).Paint();
    }
    m_dirty = false;
}

bool TerminalBackend::ReadKey(int waitMs, wint_t& ch, int& kind) {
    // Keys ncurses has already taken in come first; only then is the terminal asked.
    timeout(0);
    kind = get_wch(&ch);
    if (kind != ERR) return true;
    pollfd input{STDIN_FILENO, POLLIN, 0};
    if (::poll(&input, 1, waitMs) <= 0) return true;
    // Something is there, yet no key can be read: the end of input, or a terminal that hung up.
    kind = get_wch(&ch);
    if (kind == ERR) m_inputEnded = true;
    return !m_inputEnded;
}

bool TerminalBackend::PumpInput() {
    if (m_inputEnded) return false;
    // Nothing changes on its own but a tooltip waiting to show: sleep until then, or until a key.
    const int wait = UpdateToolTips(GetTickCount());
    if (m_dirty) Paint();
    wint_t ch = 0;
    int kind = ERR;
    if (!ReadKey(wait, ch, kind)) return false;
    if (kind == ERR) return true;
    m_dirty = true;
    if (kind == KEY_CODE_YES)
        OnKeyCode(static_cast<int>(ch));
    else
        OnCharacter(static_cast<wchar_t>(ch));
    return true;
}

void TerminalBackend::PressKey(unsigned vk, unsigned ch, bool shift, bool ctrl, bool alt) {
    wm().SetKeyDown(VK_SHIFT, shift);
    wm().SetKeyDown(VK_CONTROL, ctrl);
    wm().SetKeyDown(VK_MENU, alt);
    if (vk != 0)
        Input::KeyDown(vk, ch);
    else if (ch != 0)
        Input::Char(ch);
    if (vk != 0) Input::KeyUp(vk);
    wm().SetKeyDown(VK_SHIFT, false);
    wm().SetKeyDown(VK_CONTROL, false);
    wm().SetKeyDown(VK_MENU, false);
}

void TerminalBackend::OnKeyCode(int code) {
    switch (code) {
    case KEY_RESIZE: return;
    case KEY_MOUSE: OnMouse(); return;
    case kPasteBegin: OnPaste(); return;
    case KEY_LEFT: PressKey(VK_LEFT, 0, false, false, false); return;
    case KEY_RIGHT: PressKey(VK_RIGHT, 0, false, false, false); return;
    case KEY_UP: PressKey(VK_UP, 0, false, false, false); return;
    case KEY_DOWN: PressKey(VK_DOWN, 0, false, false, false); return;
    case KEY_HOME: PressKey(VK_HOME, 0, false, false, false); return;
    case KEY_END: PressKey(VK_END, 0, false, false, false); return;
    case KEY_IC: PressKey(VK_INSERT, 0, false, false, false); return;
    case KEY_DC: PressKey(VK_DELETE, 0, false, false, false); return;
    case KEY_SLEFT: PressKey(VK_LEFT, 0, true, false, false); return;
    case KEY_SRIGHT: PressKey(VK_RIGHT, 0, true, false, false); return;
    case KEY_SHOME: PressKey(VK_HOME, 0, true, false, false); return;
    case KEY_SEND: PressKey(VK_END, 0, true, false, false); return;
    case KEY_SDC: PressKey(VK_DELETE, 0, true, false, false); return;
    case KEY_SIC: PressKey(VK_INSERT, 0, true, false, false); return;
    case KEY_BACKSPACE: PressKey(VK_BACK, 0x08, false, false, false); return;
    case KEY_ENTER: PressKey(VK_RETURN, 0x0D, false, false, false); return;
    case KEY_BTAB: PressKey(VK_TAB, 0x09, true, false, false); return;
    case KEY_F(2):
        // The second key for the system menu, for terminals that keep Alt+Space.
        PressKey(VK_SPACE, 0, false, false, true);
        return;
    default: break;
    }
    if (code >= KEY_F(1) && code <= KEY_F(12)) {
        PressKey(VK_F1 + static_cast<unsigned>(code - KEY_F(1)), 0, false, false, false);
        return;
    }
    // Terminals send Shift with F1 to F12 as F13 to F24: Shift+F10 opens a field's menu.
    if (code >= KEY_F(13) && code <= KEY_F(24)) {
        PressKey(VK_F1 + static_cast<unsigned>(code - KEY_F(13)), 0, true, false, false);
        return;
    }
    // Keys with modifiers the terminal describes by name.
    const char* name = keyname(code);
    if (name == nullptr) return;
    for (const NamedKey& key : kModifiedKeys) {
        const std::size_t length = std::strlen(key.name);
        if (std::strncmp(name, key.name, length) != 0 || name[length] < '2' || name[length] > '8') continue;
        const int modifiers = name[length] - '1';
        PressKey(key.vk, 0, modifiers & 1, modifiers & 4, modifiers & 2);
        return;
    }
}

void TerminalBackend::OnCharacter(wchar_t ch) {
    if (ch == 27) {
        // Escape alone, the start of Alt with the next key, or a sequence the
        // terminal's description does not name, which is dropped whole: read
        // as Escape, it would close the dialog and lose what was typed.
        timeout(25);
        wint_t next = 0;
        const int kind = get_wch(&next);
        if (kind == OK && (next == '[' || next == 'O')) {
            DropEscapeSequence(next == '[');
        } else if (kind == OK && next == ' ') {
            PressKey(VK_SPACE, 0, false, false, true);
        } else if (kind == OK && next < 0x80 && std::isalnum(static_cast<int>(next))) {
            const unsigned vk = static_cast<unsigned>(std::toupper(static_cast<int>(next)));
            PressKey(vk, 0, false, false, true);
        } else {
            // A plain Escape; whatever came right after it is a key of its own.
            if (kind == OK)
                unget_wch(static_cast<wchar_t>(next));
            else if (kind == KEY_CODE_YES)
                ungetch(static_cast<int>(next));
            PressKey(VK_ESCAPE, 0x1B, false, false, false);
        }
        return;
    }
    switch (ch) {
    case '\t': PressKey(VK_TAB, 0x09, false, false, false); return;
    case '\r':
    case '\n': PressKey(VK_RETURN, 0x0D, false, false, false); return;
    case 127:
    case 8: PressKey(VK_BACK, 0x08, false, false, false); return;
    default: break;
    }
    if (ch >= 1 && ch <= 26) {
        PressKey('A' + static_cast<unsigned>(ch) - 1, static_cast<unsigned>(ch), false, true, false);
        return;
    }
    const auto cp = static_cast<unsigned>(ch);  // NOLINT(bugprone-signed-char-misuse): a wide character, never negative
    unsigned vk = 0;
    if (cp >= 'a' && cp <= 'z')
        vk = cp - 'a' + 'A';
    else if ((cp >= 'A' && cp <= 'Z') || (cp >= '0' && cp <= '9'))
        vk = cp;
    else if (cp == ' ')
        vk = VK_SPACE;
    else if (cp == '.')
        vk = VK_OEM_PERIOD;
    else if (cp == ',')
        vk = VK_OEM_COMMA;
    else if (cp == '-')
        vk = VK_OEM_MINUS;
    else if (cp == '+' || cp == '=')
        vk = VK_OEM_PLUS;
    PressKey(vk, cp, cp >= 'A' && cp <= 'Z', false, false);
}

void TerminalBackend::DropEscapeSequence(bool controlSequence) {
    // A control sequence ends at its final byte (@ to ~) after parameters and
    // intermediates; SS3 (ESC O) is followed by a single byte. A pause in the
    // middle ends it too, so a cut-off sequence cannot swallow later keys.
    timeout(25);
    for (int length = 0; length < 64; ++length) {
        wint_t byte = 0;
        if (get_wch(&byte) != OK) return;
        // The final byte, or one that cannot be inside a sequence at all.
        if (!controlSequence || byte < 0x20 || byte > 0x3F) return;
    }
}

void TerminalBackend::OnPaste() {
    // Everything up to the end marker is one paste, whatever it contains.
    std::string text;
    timeout(500);
    for (;;) {
        wint_t ch = 0;
        const int kind = get_wch(&ch);
        if (kind == ERR || (kind == KEY_CODE_YES && static_cast<int>(ch) == kPasteEnd)) break;
        if (kind == OK) text += EncodeUtf8(static_cast<char32_t>(ch));
    }
    ClipboardStore::Instance().SetText(text);
    if (HWND focus = GetFocus()) SendMessage(focus, WM_PASTE, 0, 0);
}

// An open menu takes the mouse over it; a press elsewhere closes it and still
// reaches what it was meant for. True when the menu took it all.
bool TerminalBackend::OnMenuMouse(Point at, bool press, bool release, bool rightPress) {
    TrackedMenu* menu = GetTrackedMenu();
    if (menu == nullptr) return false;
    const MenuBox box = MenuBoxOf(*menu);
    if (box.rect.PtInRect(at)) {
        for (const MenuItemBox& item : box.items)
            if (item.rect.PtInRect(at)) {
                if (release)
                    ChooseMenuItem(item.index);
                else
                    menu->highlight = item.index;
            }
        return true;
    }
    if (!press && !rightPress) return true;
    DismissMenu();
    return false;
}

// The caption line: the system menu's mark at the left, the close box at the
// right, which closes on a release where it was pressed. True on the caption line.
bool TerminalBackend::OnCaptionMouse(int column, int row, bool press, bool release) {
    HWND dialog = wm().ActiveDialog();
    if (dialog == nullptr) return false;
    const Rect r = wm().ScreenRect(dialog);
    if (row != CellRow(r.top)) return false;
    const int left = CellColumn(r.left);
    const int right = CellColumn(r.right);
    const bool onClose = column >= right - 3 && column < right;
    if (press && column >= left && column < left + 3) SendMessage(dialog, WM_SYSCOMMAND, SC_MOUSEMENU, 0);
    if (press && onClose) m_closePressed = dialog;
    if (release && m_closePressed == dialog && onClose) SendMessage(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    if (release) m_closePressed = nullptr;
    return true;
}

void TerminalBackend::OnMouse() {
    MEVENT event;
    if (getmouse(&event) != OK) return;
    // A report outside the screen comes from no mouse; its numbers may be anything.
    if (event.x < 0 || event.y < 0 || event.x >= COLS || event.y >= LINES) return;
    const Point at = CellCentre(event.x, event.y);
    // A press and release that arrive together come as one click, two as a double click.
    const mmask_t clicks = BUTTON1_CLICKED | BUTTON1_DOUBLE_CLICKED | BUTTON1_TRIPLE_CLICKED;
    const bool press = (event.bstate & (BUTTON1_PRESSED | clicks)) != 0;
    const bool release = (event.bstate & (BUTTON1_RELEASED | clicks)) != 0;
    const bool rightPress = (event.bstate & (BUTTON3_PRESSED | BUTTON3_CLICKED)) != 0;
    const bool rightRelease = (event.bstate & (BUTTON3_RELEASED | BUTTON3_CLICKED)) != 0;
    // The terminal reports the wheel as presses of buttons 4 (away) and 5 (towards).
    if (event.bstate & (BUTTON4_PRESSED | BUTTON5_PRESSED)) {
        Input::MouseWheel(at, (event.bstate & BUTTON4_PRESSED) ? WHEEL_DELTA : -WHEEL_DELTA);
        return;
    }
    if (OnMenuMouse(at, press, release, rightPress)) return;
    if ((press || release) && OnCaptionMouse(event.x, event.y, press, release)) return;
    if (event.bstate & BUTTON1_DOUBLE_CLICKED) {
        Input::MouseDown(at, false, false);
        Input::MouseUp(at, false);
        Input::MouseDown(at, false, true);
        Input::MouseUp(at, false);
        return;
    }
    if (press) {
        const unsigned now = GetTickCount();
        const bool twice = now - m_lastPress < kDoubleClickMs && m_lastPressCell == Point{event.x, event.y};
        m_lastPress = twice ? 0 : now;
        m_lastPressCell = {event.x, event.y};
        Input::MouseDown(at, false, twice);
    }
    if (release) {
        Input::MouseUp(at, false);
    }
    if (rightPress) Input::MouseDown(at, true, false);
    if (rightRelease) Input::MouseUp(at, true);
    if (!press && !release && !rightPress && !rightRelease) Input::MouseMove(at);
}

#include "InputRouter.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

#include "DialogProcedure.h"
#include "Menu.h"
#include "MenuLayout.h"
#include "WindowManager.h"

namespace {

WindowManager& wm() { return WindowManager::Instance(); }

bool IsModifier(UINT vk) { return vk == VK_SHIFT || vk == VK_CONTROL || vk == VK_MENU; }

// Input goes to the window that takes it when it comes, and waits in the
// queue for the program's message loop.
void Deliver(HWND target, UINT message, WPARAM wParam, LPARAM lParam, UINT translatedChar = 0) {
    if (IsWindow(target)) wm().PostInput(target, message, wParam, lParam, translatedChar);
}

bool Transparent(HWND hWnd) {
    if (hWnd->windowClass == WindowClass::Button) return (hWnd->style & BS_TYPEMASK) == BS_GROUPBOX;
    if (hWnd->windowClass == WindowClass::Static) return (hWnd->style & SS_NOTIFY) == 0;
    return false;
}

// Input goes to the active modal window; windows it disables get none.
bool AcceptsInput(HWND target) {
    HWND top = GetAncestor(target, GA_ROOT);
    return IsWindow(top) && top->IsEnabled() && (wm().ActiveDialog() == nullptr || top == wm().ActiveDialog());
}

UINT MouseFlags() {
    UINT flags = wm().Remembered().leftDown ? MK_LBUTTON : 0;
    if (GetAsyncKeyState(VK_SHIFT) < 0) flags |= MK_SHIFT;
    if (GetAsyncKeyState(VK_CONTROL) < 0) flags |= MK_CONTROL;
    return flags;
}

// The item of the open menu under a point: -1 on its frame or a separator's
// gap, nothing at all outside the menu.
std::optional<int> MenuItemAt(const TrackedMenu& menu, Point screen) {
    const MenuBox box = wm().GetBackend()->MenuBoxOf(menu);
    if (!box.rect.PtInRect(screen)) return std::nullopt;
    for (const MenuItemBox& item : box.items)
        if (item.rect.PtInRect(screen)) return item.index;
    return -1;
}

LPARAM ClientPoint(HWND hWnd, Point screen) {
    const Point origin = wm().ClientOrigin(hWnd);
    return MAKELPARAM(static_cast<unsigned>(screen.x - origin.x), static_cast<unsigned>(screen.y - origin.y));
}

}  // namespace

namespace Input {

UINT CharForKey(UINT vk, bool shift, bool ctrl, bool alt) {
    if (alt) return 0;
    if (vk >= 'A' && vk <= 'Z') {
        if (ctrl) return vk - 'A' + 1;
        return shift ? vk : vk - 'A' + 'a';
    }
    if (ctrl) return 0;
    // The digits' shifted characters are those of the US layout, as the driver's keys are.
    if (vk >= '0' && vk <= '9') return shift ? static_cast<UINT>(")!@#$%^&*("[vk - '0']) : vk;
    switch (vk) {
    case VK_BACK: return 0x08;
    case VK_TAB: return 0x09;
    case VK_RETURN: return 0x0D;
    case VK_ESCAPE: return 0x1B;
    case VK_SPACE: return ' ';
    case VK_OEM_PERIOD: return shift ? '>' : '.';
    case VK_OEM_COMMA: return shift ? '<' : ',';
    case VK_OEM_MINUS: return shift ? '_' : '-';
    case VK_OEM_PLUS: return shift ? '+' : '=';
    default: return 0;
    }
}

void KeyDown(UINT vk, UINT translatedChar) {
    // Alt let go with nothing pressed while it was held is a key of its own: the window's menu.
    wm().SetAltAlone(vk == VK_MENU && GetTrackedMenu() == nullptr);
    wm().SetKeyDown(vk, true);
    // An open menu reads the keyboard itself, modifiers included.
    if (TrackedMenu* menu = GetTrackedMenu()) {
        Deliver(menu->owner, WM_KEYDOWN, vk, 1, translatedChar);
        return;
    }
    if (IsModifier(vk)) return;
    HWND dialog = wm().ActiveDialog();
    HWND focus = GetFocus();
    // With no focus to take them, keys go to the active dialog, whose dialog manager may still use them.
    HWND target = focus != nullptr && AcceptsInput(focus) ? focus : dialog;
    // F10 is a system key, with Alt or without.
    if (GetAsyncKeyState(VK_MENU) < 0 || vk == VK_F10) {
        Deliver(focus ? focus : dialog, WM_SYSKEYDOWN, vk, 1);
        return;
    }
    Deliver(target, WM_KEYDOWN, vk, 1, target == focus ? translatedChar : 0);
}

void KeyUp(UINT vk) {
    const bool altAlone = vk == VK_MENU && wm().AltAlone();
    wm().SetAltAlone(false);
    wm().SetKeyDown(vk, false);
    if (TrackedMenu* menu = GetTrackedMenu()) {
        Deliver(menu->owner, WM_KEYUP, vk, 1);
        return;
    }
    if (altAlone) {
        HWND focus = GetFocus();
        Deliver(focus != nullptr ? focus : wm().ActiveDialog(), WM_SYSKEYUP, vk, 1);
        return;
    }
    if (IsModifier(vk)) return;
    HWND focus = GetFocus();
    if (focus != nullptr && AcceptsInput(focus)) Deliver(focus, WM_KEYUP, vk, 1);
}

void Char(UINT codePoint) {
    if (TrackedMenu* menu = GetTrackedMenu()) {
        Deliver(menu->owner, WM_CHAR, codePoint, 1);
        return;
    }
    HWND focus = GetFocus();
    if (focus != nullptr && AcceptsInput(focus)) Deliver(focus, WM_CHAR, codePoint, 1);
}

HWND WindowFromPoint(Point screen) {
    const std::vector<HWND> tops = wm().TopLevelWindows();
    for (auto it = tops.rbegin(); it != tops.rend(); ++it) {
        HWND top = *it;
        if (!top->IsVisible() || !wm().ScreenRect(top).PtInRect(screen)) continue;
        for (HWND child : top->children) {
            if (!child->IsVisible() || Transparent(child) || !wm().ScreenRect(child).PtInRect(screen)) continue;
            return child->IsEnabled() ? child : top;
        }
        return top;
    }
    return nullptr;
}

void MouseDown(Point screen, bool rightButton, bool doubleClick) {
    wm().SetAltAlone(false);
    wm().SetCursorPos(screen);
    if (TrackedMenu* menu = GetTrackedMenu()) {
        // A press on the menu picks out an item; the release chooses it.
        if (const auto item = MenuItemAt(*menu, screen)) {
            menu->highlight = *item;
            wm().Invalidate(GetAncestor(menu->owner, GA_ROOT));
            return;
        }
        // A press outside closes it and still reaches the window it was meant for.
        DismissMenu();
    }
    HWND target = GetCapture() ? GetCapture() : WindowFromPoint(screen);
    if (target == nullptr || !AcceptsInput(target)) return;
    if (!rightButton) {
        // A double click is a second press on the same window, as the platform counts
        // them; a back end's own count spans its whole surface (SDL's, the terminal's).
        InputMemory& memory = wm().Remembered();
        if (doubleClick && memory.pressWindow != target) doubleClick = false;
        memory.pressWindow = doubleClick ? nullptr : target;
        memory.leftDown = true;
    }
    const UINT message = rightButton ? WM_RBUTTONDOWN : (doubleClick ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN);
    Deliver(target, message, MouseFlags(), ClientPoint(target, screen));
}

void MouseUp(Point screen, bool rightButton) {
    if (!rightButton) wm().Remembered().leftDown = false;
    if (TrackedMenu* menu = GetTrackedMenu()) {
        // A greyed item, a separator or the frame leave the menu open.
        if (const auto item = MenuItemAt(*menu, screen)) {
            ChooseMenuItem(*item);
            return;
        }
    }
    HWND target = GetCapture() ? GetCapture() : WindowFromPoint(screen);
    if (target == nullptr || !AcceptsInput(target)) return;
    Deliver(target, rightButton ? WM_RBUTTONUP : WM_LBUTTONUP, MouseFlags(), ClientPoint(target, screen));
}

void MouseMove(Point screen) {
    wm().SetCursorPos(screen);
    HWND target = GetCapture() ? GetCapture() : WindowFromPoint(screen);
    if (target == nullptr) return;
    if (AcceptsInput(target)) SendMessageA(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(target), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    if (!AcceptsInput(target)) return;
    Deliver(target, WM_MOUSEMOVE, MouseFlags(), ClientPoint(target, screen));
}

void MouseWheel(Point screen, int delta) {
    wm().SetCursorPos(screen);
    // An open menu has no use for it.
    if (GetTrackedMenu() != nullptr || delta == 0) return;
    HWND focus = GetFocus();
    HWND target = focus != nullptr && AcceptsInput(focus) ? focus : wm().ActiveDialog();
    if (target == nullptr) return;
    const auto clamped = static_cast<short>(std::clamp(delta, -32768, 32767));
    // Unlike the other mouse messages, the point is the screen's.
    Deliver(target, WM_MOUSEWHEEL, MAKEWPARAM(MouseFlags(), static_cast<unsigned short>(clamped)),
            MAKELPARAM(static_cast<unsigned short>(screen.x), static_cast<unsigned short>(screen.y)));
}

}  // namespace Input

namespace {

// A second press of the left button soon enough and near enough to the
// first is a double click, as the system's settings say by default.
constexpr DWORD kDoubleClickMs = 500;
constexpr int kDoubleClickSlop = 2;

bool IsDoubleClick(Point screen, DWORD time) {
    HWND target = GetCapture() ? GetCapture() : Input::WindowFromPoint(screen);
    InputMemory& last = wm().Remembered();
    const bool twice = last.clicked && last.clickWindow == target && time - last.clickTime < kDoubleClickMs &&
                       std::abs(screen.x - last.clickAt.x) <= kDoubleClickSlop && std::abs(screen.y - last.clickAt.y) <= kDoubleClickSlop;
    // The press after a double click starts counting anew.
    last.clicked = !twice;
    last.clickTime = time;
    last.clickAt = screen;
    last.clickWindow = target;
    return twice;
}

void SendKeyboardInput(const KEYBDINPUT& key) {
    const bool up = (key.dwFlags & KEYEVENTF_KEYUP) != 0;
    if (key.dwFlags & KEYEVENTF_UNICODE) {
        // The character itself, as an input method gives it; only the press types it.
        if (up) return;
        const WORD unit = key.wScan;
        if (unit >= 0xD800 && unit < 0xDC00) {
            wm().Remembered().pendingHighSurrogate = unit;
            return;
        }
        UINT codePoint = unit;
        if (unit >= 0xDC00 && unit < 0xE000 && wm().Remembered().pendingHighSurrogate != 0)
            codePoint = 0x10000 + ((static_cast<UINT>(wm().Remembered().pendingHighSurrogate) - 0xD800) << 10) + (unit - 0xDC00);
        wm().Remembered().pendingHighSurrogate = 0;
        Input::Char(codePoint);
        return;
    }
    if (up) {
        Input::KeyUp(key.wVk);
        return;
    }
    const bool shift = GetAsyncKeyState(VK_SHIFT) < 0;
    const bool ctrl = GetAsyncKeyState(VK_CONTROL) < 0;
    const bool alt = GetAsyncKeyState(VK_MENU) < 0;
    Input::KeyDown(key.wVk, Input::CharForKey(key.wVk, shift, ctrl, alt));
}

void SendMouseInput(const MOUSEINPUT& mouse) {
    Point at = wm().CursorPos();
    if (mouse.dwFlags & MOUSEEVENTF_ABSOLUTE) {
        // 0 to 65535 span the screen, whatever its size.
        at = {static_cast<int>((static_cast<long long>(mouse.dx) * GetSystemMetrics(SM_CXSCREEN)) >> 16),
              static_cast<int>((static_cast<long long>(mouse.dy) * GetSystemMetrics(SM_CYSCREEN)) >> 16)};
    } else if (mouse.dwFlags & MOUSEEVENTF_MOVE) {
        at = {at.x + mouse.dx, at.y + mouse.dy};
    }
    const DWORD time = mouse.time != 0 ? mouse.time : GetTickCount();
    // A move that goes nowhere is still a move, unless it only carries a button.
    constexpr DWORD kButtons = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP | MOUSEEVENTF_RIGHTDOWN | MOUSEEVENTF_RIGHTUP;
    const bool moved = at.x != wm().CursorPos().x || at.y != wm().CursorPos().y;
    if ((mouse.dwFlags & MOUSEEVENTF_MOVE) && (moved || !(mouse.dwFlags & kButtons))) Input::MouseMove(at);
    if (mouse.dwFlags & MOUSEEVENTF_LEFTDOWN) Input::MouseDown(at, false, IsDoubleClick(at, time));
    if (mouse.dwFlags & MOUSEEVENTF_LEFTUP) Input::MouseUp(at, false);
    if (mouse.dwFlags & MOUSEEVENTF_RIGHTDOWN) {
        wm().Remembered().clicked = false;
        Input::MouseDown(at, true, false);
    }
    if (mouse.dwFlags & MOUSEEVENTF_RIGHTUP) Input::MouseUp(at, true);
    if (mouse.dwFlags & MOUSEEVENTF_WHEEL) Input::MouseWheel(at, static_cast<int>(mouse.mouseData));
}

}  // namespace

UINT WINAPI SendInput(UINT count, LPINPUT inputs, int size) {
    if (inputs == nullptr || size != static_cast<int>(sizeof(INPUT))) return 0;
    for (UINT i = 0; i < count; ++i) {
        if (inputs[i].type == INPUT_KEYBOARD)
            SendKeyboardInput(inputs[i].ki);
        else if (inputs[i].type == INPUT_MOUSE)
            SendMouseInput(inputs[i].mi);
    }
    return count;
}

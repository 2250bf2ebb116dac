#include "InputRouter.h"

#include "CWnd.h"
#include "DialogProcedure.h"
#include "Menu.h"
#include "WindowApi.h"
#include "WindowManager.h"

namespace {

WindowManager& wm() { return WindowManager::Instance(); }
bool g_leftDown = false;

bool IsModifier(UINT vk) { return vk == VK_SHIFT || vk == VK_CONTROL || vk == VK_MENU; }

HWND TopLevelOf(HWND hWnd) {
    while (hWnd != nullptr && hWnd->IsChild() && hWnd->parent != nullptr) hWnd = hWnd->parent;
    return hWnd;
}

// The class library lets each window on the way up see a message before it is delivered.
bool PreTranslate(HWND target, UINT message, WPARAM wParam, LPARAM lParam) {
    MSG msg{target, message, wParam, lParam};
    for (HWND h = target; IsWindow(h); h = h->IsChild() ? h->parent : nullptr) {
        if (h->wnd != nullptr && h->wnd->PreTranslateMessage(&msg)) return true;
        if (!IsWindow(h)) break;
    }
    return false;
}

void Deliver(HWND target, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!IsWindow(target) || PreTranslate(target, message, wParam, lParam)) return;
    SendMessage(target, message, wParam, lParam);
}

bool Transparent(HWND hWnd) {
    if (hWnd->windowClass == WindowClass::Button) return (hWnd->style & BS_TYPEMASK) == BS_GROUPBOX;
    if (hWnd->windowClass == WindowClass::Static) return (hWnd->style & SS_NOTIFY) == 0;
    return false;
}

// Input goes to the active modal window; windows it disables get none.
bool AcceptsInput(HWND target) {
    HWND top = TopLevelOf(target);
    return IsWindow(top) && top->IsEnabled() && (wm().ActiveDialog() == nullptr || top == wm().ActiveDialog());
}

UINT MouseFlags() {
    UINT flags = g_leftDown ? MK_LBUTTON : 0;
    if (GetAsyncKeyState(VK_SHIFT) < 0) flags |= MK_SHIFT;
    if (GetAsyncKeyState(VK_CONTROL) < 0) flags |= MK_CONTROL;
    return flags;
}

LPARAM ClientPoint(HWND hWnd, CPoint screen) {
    const CPoint origin = wm().ClientOrigin(hWnd);
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
    if (vk >= '0' && vk <= '9') return vk;
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

bool KeyDown(UINT vk) {
    wm().SetKeyDown(vk, true);
    if (GetTrackedMenu() != nullptr) {
        switch (vk) {
        case VK_UP:
        case VK_DOWN:
        case VK_RETURN:
        case VK_ESCAPE:
        case VK_MENU: MenuKeyDown(vk); return true;
        default: return false;  // letters reach the menu as characters (mnemonics)
        }
    }
    if (IsModifier(vk)) return false;
    HWND dialog = wm().ActiveDialog();
    if (dialog != nullptr && IsDialogKey(dialog, vk)) return true;
    HWND focus = GetFocus();
    if (GetAsyncKeyState(VK_MENU) < 0) {
        Deliver(focus ? focus : dialog, WM_SYSKEYDOWN, vk, 1);
        return true;
    }
    if (focus != nullptr && AcceptsInput(focus)) Deliver(focus, WM_KEYDOWN, vk, 1);
    return false;
}

void KeyUp(UINT vk) {
    wm().SetKeyDown(vk, false);
    if (GetTrackedMenu() != nullptr || IsModifier(vk)) return;
    HWND focus = GetFocus();
    if (focus != nullptr && AcceptsInput(focus)) Deliver(focus, WM_KEYUP, vk, 1);
}

void Char(UINT codePoint) {
    if (GetTrackedMenu() != nullptr) {
        MenuChar(codePoint);
        return;
    }
    HWND focus = GetFocus();
    if (focus != nullptr && AcceptsInput(focus)) Deliver(focus, WM_CHAR, codePoint, 1);
}

HWND WindowFromPoint(CPoint screen) {
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

void MouseDown(CPoint screen, bool rightButton, bool doubleClick) {
    wm().SetCursorPos(screen);
    if (GetTrackedMenu() != nullptr) {
        DismissMenu();
        return;
    }
    HWND target = GetCapture() ? GetCapture() : WindowFromPoint(screen);
    if (target == nullptr || !AcceptsInput(target)) return;
    if (!rightButton) g_leftDown = true;
    const UINT message = rightButton ? WM_RBUTTONDOWN : (doubleClick ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN);
    Deliver(target, message, MouseFlags(), ClientPoint(target, screen));
}

void MouseUp(CPoint screen, bool rightButton) {
    if (!rightButton) g_leftDown = false;
    HWND target = GetCapture() ? GetCapture() : WindowFromPoint(screen);
    if (target == nullptr || !AcceptsInput(target)) return;
    Deliver(target, rightButton ? WM_RBUTTONUP : WM_LBUTTONUP, MouseFlags(), ClientPoint(target, screen));
}

void MouseMove(CPoint screen) {
    wm().SetCursorPos(screen);
    HWND target = GetCapture() ? GetCapture() : WindowFromPoint(screen);
    if (target == nullptr) return;
    if (AcceptsInput(target)) SendMessage(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(target), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    if (!AcceptsInput(target)) return;
    Deliver(target, WM_MOUSEMOVE, MouseFlags(), ClientPoint(target, screen));
}

}  // namespace Input

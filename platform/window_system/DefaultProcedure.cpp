#include "DefaultProcedure.h"

#include <algorithm>
#include <cstring>

#include "DeviceContext.h"
#include "Icon.h"
#include "Menu.h"
#include "WindowApi.h"
#include "WindowManager.h"

void NotifyParent(HWND hWnd, UINT code) {
    if (!IsWindow(hWnd) || hWnd->parent == nullptr) return;
    SendMessage(hWnd->parent, WM_COMMAND, MAKEWPARAM(static_cast<unsigned>(hWnd->id), code), reinterpret_cast<LPARAM>(hWnd));
}

LRESULT CopyWindowText(const std::string& text, WPARAM size, LPARAM buffer) {
    if (buffer == 0 || size == 0) return 0;
    const std::size_t n = std::min<std::size_t>(text.size(), size - 1);
    auto* out = reinterpret_cast<char*>(buffer);
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
    return static_cast<LRESULT>(n);
}

namespace {

void ShowSystemMenu(HWND hWnd) {
    HWND top = hWnd;
    while (top->IsChild() && top->parent != nullptr) top = top->parent;
    if (top->systemMenu == nullptr) return;
    // The menu drops down from the caption's icon.
    const Rect r = WindowManager::Instance().ScreenRect(top);
    const UINT chosen = TrackMenu(top->systemMenu, top, {r.left, r.top + top->clientInset.top});
    if (chosen != 0) PostMessage(top, WM_SYSCOMMAND, chosen, 0);
}

}  // namespace

LRESULT WINAPI DefWindowProcA(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!IsWindow(hWnd)) return 0;
    switch (message) {
    case WM_SETTEXT:
        hWnd->text = lParam ? reinterpret_cast<const char*>(lParam) : "";
        WindowManager::Instance().Invalidate(hWnd);
        return TRUE;
    case WM_GETTEXT: return CopyWindowText(hWnd->text, wParam, lParam);
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(hWnd->text.size());
    case WM_SETFONT: hWnd->font = reinterpret_cast<HFONT>(wParam); return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(hWnd->font);
    case WM_GETICON: return reinterpret_cast<LRESULT>(wParam == ICON_BIG ? hWnd->bigIcon : hWnd->smallIcon);
    case WM_SETICON: {
        HICON& slot = wParam == ICON_BIG ? hWnd->bigIcon : hWnd->smallIcon;
        HICON old = slot;
        slot = reinterpret_cast<HICON>(lParam);
        return reinterpret_cast<LRESULT>(old);
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG: {
        auto* dc = reinterpret_cast<HDC>(wParam);
        const int background = message == WM_CTLCOLOREDIT ? COLOR_WINDOW : COLOR_3DFACE;
        if (dc != nullptr) {
            dc->textColor = GetSysColor(COLOR_WINDOWTEXT);
            dc->bkColor = GetSysColor(background);
        }
        return reinterpret_cast<LRESULT>(GetSysColorBrush(background));
    }
    case WM_SETCURSOR:
        // The parent may choose the pointer for its children first.
        if (hWnd->IsChild() && hWnd->parent != nullptr && SendMessage(hWnd->parent, WM_SETCURSOR, wParam, lParam)) return TRUE;
        if (LOWORD(lParam) == HTCLIENT) SetCursor(LoadCursor(nullptr, IDC_ARROW));
        return FALSE;
    case WM_RBUTTONUP: {
        Point p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        const Point origin = WindowManager::Instance().ClientOrigin(hWnd);
        SendMessage(hWnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hWnd), MAKELPARAM(p.x + origin.x, p.y + origin.y));
        return 0;
    }
    // The keyboard's ways to a context menu, which opens where the window chooses; and to the
    // window's own menu, F10 or Alt pressed and let go alone, which window managers leave to the
    // window where they take Alt+Space.
    case WM_SYSKEYDOWN:
        if (wParam == VK_F10 && GetKeyState(VK_SHIFT) < 0)
            SendMessage(hWnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hWnd), -1);
        else if (wParam == VK_F10)
            SendMessage(GetAncestor(hWnd, GA_ROOT), WM_SYSCOMMAND, SC_KEYMENU, 0);
        return 0;
    case WM_SYSKEYUP:
        if (wParam == VK_MENU) SendMessage(GetAncestor(hWnd, GA_ROOT), WM_SYSCOMMAND, SC_KEYMENU, 0);
        return 0;
    case WM_KEYUP:
        if (wParam == VK_APPS) SendMessage(hWnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hWnd), -1);
        return 0;
    case WM_HELP:
        if (hWnd->IsChild() && hWnd->parent != nullptr) return SendMessage(hWnd->parent, WM_HELP, wParam, lParam);
        return 0;
    // What a window leaves of the wheel and the context menu goes to its parent.
    case WM_MOUSEWHEEL:
    case WM_CONTEXTMENU:
        if (hWnd->IsChild() && hWnd->parent != nullptr) return SendMessage(hWnd->parent, message, wParam, lParam);
        return 0;
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0) {
        case SC_CLOSE: SendMessage(hWnd, WM_CLOSE, 0, 0); break;
        case SC_KEYMENU:
        case SC_MOUSEMENU: ShowSystemMenu(hWnd); break;
        default: break;
        }
        return 0;
    case WM_CLOSE: DestroyWindow(hWnd); return 0;
    case WM_CANCELMODE:
        // A box or dialog is coming up: an open menu and a held mouse button let go.
        EndMenu();
        if (GetCapture() == hWnd) ReleaseCapture();
        return 0;
    default: return 0;  // WM_QUERYDRAGICON among them: no icon of its own to drag
    }
}

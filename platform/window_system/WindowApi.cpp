// Windows, their places and states, focus, capture, caret and key state.
#include "WindowApi.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <optional>
#include <cstdlib>

#include "DeviceContext.h"
#include "Icon.h"
#include "WindowManager.h"

namespace {
WindowManager& wm() { return WindowManager::Instance(); }
}  // namespace

BOOL WINAPI IsWindow(HWND hWnd) { return wm().IsWindow(hWnd) ? TRUE : FALSE; }
BOOL WINAPI IsWindowVisible(HWND hWnd) { return IsWindow(hWnd) && hWnd->IsVisible() ? TRUE : FALSE; }
BOOL WINAPI IsWindowEnabled(HWND hWnd) { return IsWindow(hWnd) && hWnd->IsEnabled() ? TRUE : FALSE; }
BOOL WINAPI IsIconic(HWND hWnd) { return IsWindow(hWnd) && hWnd->minimized ? TRUE : FALSE; }
HWND WINAPI GetFocus() { return wm().Focus(); }
HWND WINAPI SetFocus(HWND hWnd) {
    // A window that is disabled or minimised, or inside one that is, cannot take the focus.
    for (HWND h = hWnd; IsWindow(h); h = h->IsChild() ? h->parent : nullptr)
        if (!h->IsEnabled() || h->minimized) return nullptr;
    return wm().SetFocus(hWnd);
}
HWND WINAPI GetParent(HWND hWnd) { return IsWindow(hWnd) ? hWnd->parent : nullptr; }

HWND WINAPI GetAncestor(HWND hWnd, UINT flags) {
    if (!IsWindow(hWnd) || flags != GA_ROOT) return nullptr;
    while (hWnd->IsChild() && hWnd->parent != nullptr) hWnd = hWnd->parent;
    return hWnd;
}

HWND WINAPI GetWindow(HWND hWnd, UINT relation) {
    if (!IsWindow(hWnd)) return nullptr;
    switch (relation) {
    case GW_OWNER: return hWnd->IsChild() ? nullptr : hWnd->parent;
    case GW_CHILD: return hWnd->children.empty() ? nullptr : hWnd->children.front();
    case GW_HWNDNEXT: {
        // Siblings in z-order: children in the order they were made.
        if (!hWnd->IsChild() || !IsWindow(hWnd->parent)) return nullptr;
        const std::vector<HWND>& siblings = hWnd->parent->children;
        const auto at = std::find(siblings.begin(), siblings.end(), hWnd);
        return at == siblings.end() || at + 1 == siblings.end() ? nullptr : *(at + 1);
    }
    default: return nullptr;
    }
}

HWND WINAPI GetDlgItem(HWND hDlg, int nID) {
    if (!IsWindow(hDlg)) return nullptr;
    return WindowManager::Instance().ChildById(hDlg, nID);
}

int WINAPI GetDlgCtrlID(HWND hWnd) { return IsWindow(hWnd) ? hWnd->id : 0; }

HWND WINAPI GetNextDlgTabItem(HWND hDlg, HWND hCtl, BOOL bPrevious) {
    if (!IsWindow(hDlg)) return nullptr;
    std::vector<HWND> stops;
    for (HWND child : hDlg->children)
        if ((child->style & WS_TABSTOP) && child->IsVisible() && child->IsEnabled()) stops.push_back(child);
    if (stops.empty()) return nullptr;
    const auto at = std::find(stops.begin(), stops.end(), hCtl);
    if (at == stops.end()) return bPrevious ? stops.back() : stops.front();
    const auto index = static_cast<std::size_t>(at - stops.begin());
    const std::size_t n = stops.size();
    return stops[bPrevious ? (index + n - 1) % n : (index + 1) % n];
}

HWND WINAPI GetNextDlgGroupItem(HWND hDlg, HWND hCtl, BOOL bPrevious) {
    if (!IsWindow(hDlg)) return nullptr;
    const std::vector<HWND>& children = hDlg->children;
    const auto at = std::find(children.begin(), children.end(), hCtl);
    if (at == children.end()) return nullptr;
    // The controls are a ring, in the order they were made. A group starts at
    // a control with WS_GROUP (found by going back from the control, past the
    // first one round to the last) and runs to the next such control.
    const std::size_t n = children.size();
    const auto index = static_cast<std::size_t>(at - children.begin());
    std::size_t first = index;
    for (std::size_t back = 0; back < n && !(children[first]->style & WS_GROUP); ++back) first = (first + n - 1) % n;
    std::size_t size = 1;
    while (size < n && !(children[(first + size) % n]->style & WS_GROUP)) ++size;
    const std::size_t offset = (index + n - first) % n;
    for (std::size_t step = 1; step < size; ++step) {
        HWND candidate = children[(first + (bPrevious ? offset + size - step : offset + step) % size) % n];
        if (candidate->IsVisible() && candidate->IsEnabled()) return candidate;
    }
    return hCtl;
}

UINT WINAPI GetDpiForWindow(HWND hWnd) {
    if (!IsWindow(hWnd)) return 0;
    return static_cast<UINT>(std::lround(96 * wm().Metrics().Scale()));
}

BOOL WINAPI EnableWindow(HWND hWnd, BOOL bEnable) {
    if (!IsWindow(hWnd)) return FALSE;
    const BOOL wasDisabled = hWnd->IsEnabled() ? FALSE : TRUE;
    if (bEnable) {
        hWnd->style &= ~WS_DISABLED;
    } else {
        hWnd->style |= WS_DISABLED;
        if (wm().Focus() == hWnd) wm().SetFocus(nullptr);
    }
    wm().Send(hWnd, WM_ENABLE, bEnable ? 1 : 0, 0);
    wm().Invalidate(hWnd);
    return wasDisabled;
}

BOOL WINAPI ShowWindow(HWND hWnd, int command) {
    if (!IsWindow(hWnd)) return FALSE;
    const BOOL wasVisible = hWnd->IsVisible() ? TRUE : FALSE;
    // A desktop of ours has no taskbar to minimise to: a minimised window is shown as its icon, in place.
    if (command == SW_MINIMIZE)
        hWnd->minimized = true;
    else if (command == SW_RESTORE || command == SW_SHOWNORMAL)
        hWnd->minimized = false;
    if (command == SW_HIDE)
        hWnd->style &= ~WS_VISIBLE;
    else
        hWnd->style |= WS_VISIBLE;
    if (hWnd->IsVisible() != static_cast<bool>(wasVisible)) {
        // A dialog coming into view becomes the active window; hooks see it first.
        if (hWnd->IsVisible() && hWnd->windowClass == WindowClass::Dialog && !hWnd->IsChild())
            CallCbtHooks(HCBT_ACTIVATE, reinterpret_cast<WPARAM>(hWnd), 0);
        wm().Send(hWnd, WM_SHOWWINDOW, hWnd->IsVisible() ? TRUE : FALSE, 0);
        wm().Invalidate(hWnd);
    }
    return wasVisible;
}

// Painting happens when a back end draws; there is nothing to flush.
BOOL WINAPI UpdateWindow(HWND hWnd) { return IsWindow(hWnd); }

BOOL WINAPI DestroyWindow(HWND hWnd) {
    if (!IsWindow(hWnd)) return FALSE;
    wm().Destroy(hWnd);
    return TRUE;
}

BOOL WINAPI InvalidateRect(HWND hWnd, const RECT*, BOOL) {
    if (!IsWindow(hWnd)) return FALSE;
    wm().Invalidate(hWnd);
    return TRUE;
}

LONG_PTR WINAPI GetWindowLongPtrA(HWND hWnd, int index) {
    if (!IsWindow(hWnd)) return 0;
    switch (index) {
    case GWLP_WNDPROC: return reinterpret_cast<LONG_PTR>(hWnd->wndProc);
    case GWL_ID: return hWnd->id;
    case GWL_STYLE: return static_cast<LONG>(hWnd->style);
    case GWL_EXSTYLE: return static_cast<LONG>(hWnd->exStyle);
    case GWLP_USERDATA: return hWnd->userData;
    case DWLP_MSGRESULT: return hWnd->windowClass == WindowClass::Dialog ? hWnd->msgResult : 0;
    default: return 0;
    }
}

LONG_PTR WINAPI SetWindowLongPtrA(HWND hWnd, int index, LONG_PTR value) {
    if (!IsWindow(hWnd)) return 0;
    const LONG_PTR old = GetWindowLongPtrA(hWnd, index);
    switch (index) {
    case GWLP_WNDPROC:
        if (value != 0) hWnd->wndProc = reinterpret_cast<WNDPROC>(value);
        break;
    case GWL_ID:
        hWnd->id = static_cast<int>(value);
        WindowManager::Instance().ChildIdChanged();
        break;
    case GWL_STYLE: hWnd->style = static_cast<DWORD>(value); break;
    case GWL_EXSTYLE: hWnd->exStyle = static_cast<DWORD>(value); break;
    case GWLP_USERDATA: hWnd->userData = value; break;
    case DWLP_MSGRESULT:
        if (hWnd->windowClass == WindowClass::Dialog) hWnd->msgResult = value;
        break;
    default: return 0;
    }
    return old;
}

LONG WINAPI GetWindowLongA(HWND hWnd, int index) { return static_cast<LONG>(GetWindowLongPtrA(hWnd, index)); }
LONG WINAPI SetWindowLongA(HWND hWnd, int index, LONG value) { return static_cast<LONG>(SetWindowLongPtrA(hWnd, index, value)); }

LRESULT WINAPI CallWindowProcA(WNDPROC proc, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return proc != nullptr ? proc(hWnd, message, wParam, lParam) : 0;
}

BOOL WINAPI GetWindowRect(HWND hWnd, LPRECT rect) {
    if (!IsWindow(hWnd) || rect == nullptr) return FALSE;
    *rect = wm().ScreenRect(hWnd);
    return TRUE;
}

BOOL WINAPI GetClientRect(HWND hWnd, LPRECT rect) {
    if (!IsWindow(hWnd) || rect == nullptr) return FALSE;
    *rect = wm().ClientRect(hWnd);
    return TRUE;
}

BOOL WINAPI ScreenToClient(HWND hWnd, LPPOINT point) {
    if (!IsWindow(hWnd) || point == nullptr) return FALSE;
    const Point origin = wm().ClientOrigin(hWnd);
    point->x -= origin.x;
    point->y -= origin.y;
    return TRUE;
}

BOOL WINAPI ClientToScreen(HWND hWnd, LPPOINT point) {
    if (!IsWindow(hWnd) || point == nullptr) return FALSE;
    const Point origin = wm().ClientOrigin(hWnd);
    point->x += origin.x;
    point->y += origin.y;
    return TRUE;
}

BOOL WINAPI SetWindowPos(HWND hWnd, HWND, int x, int y, int cx, int cy, UINT flags) {
    if (!IsWindow(hWnd)) return FALSE;
    Rect& r = hWnd->rect;
    if (!(flags & SWP_NOMOVE)) {
        const int w = r.Width();
        const int h = r.Height();
        r = {x, y, x + w, y + h};
    }
    if (!(flags & SWP_NOSIZE)) {
        r.right = r.left + cx;
        r.bottom = r.top + cy;
    }
    if (flags & SWP_SHOWWINDOW) hWnd->style |= WS_VISIBLE;
    if (flags & SWP_HIDEWINDOW) hWnd->style &= ~WS_VISIBLE;
    wm().Invalidate(hWnd);
    return TRUE;
}

BOOL WINAPI SystemParametersInfoA(UINT action, UINT, LPVOID data, UINT) {
    if (action != SPI_GETWORKAREA || data == nullptr) return FALSE;
    Backend* backend = wm().GetBackend();
    *static_cast<RECT*>(data) = backend != nullptr ? backend->WorkArea() : Rect{0, 0, 1280, 800};
    return TRUE;
}

short WINAPI GetAsyncKeyState(int vKey) { return wm().IsKeyDown(static_cast<UINT>(vKey)) ? static_cast<short>(0x8000) : 0; }
short WINAPI GetKeyState(int vKey) { return GetAsyncKeyState(vKey); }

// The back end's wish, where the desktop told it one; else DOTWISE_CONTRAST.
bool HighContrast() {
    if (const Backend* backend = wm().GetBackend(); backend != nullptr && backend->ContrastWish()) return *backend->ContrastWish();
    const char* contrast = std::getenv("DOTWISE_CONTRAST");
    return contrast != nullptr && std::string_view(contrast) == "high";
}

COLORREF WINAPI GetSysColor(int index) {
    if (HighContrast()) {
        // White text on black, as the platform's own High Contrast Black has it.
        switch (index) {
        case COLOR_WINDOW:
        case COLOR_3DFACE:
        case COLOR_INFOBK: return RGB(0, 0, 0);
        case COLOR_WINDOWTEXT:
        case COLOR_BTNTEXT:
        case COLOR_INFOTEXT:
        case COLOR_CAPTIONTEXT:
        case COLOR_3DHILIGHT:
        case COLOR_3DDKSHADOW: return RGB(255, 255, 255);
        case COLOR_HIGHLIGHT: return RGB(255, 255, 0);
        case COLOR_HIGHLIGHTTEXT: return RGB(0, 0, 0);
        case COLOR_GRAYTEXT: return RGB(0, 255, 0);
        case COLOR_3DSHADOW: return RGB(128, 128, 128);
        case COLOR_3DLIGHT: return RGB(192, 192, 192);
        case COLOR_ACTIVECAPTION:
        case COLOR_GRADIENTACTIVECAPTION: return RGB(128, 0, 128);
        case COLOR_INACTIVECAPTION:
        case COLOR_GRADIENTINACTIVECAPTION: return RGB(0, 128, 0);
        default: return RGB(0, 0, 0);
        }
    }
    // The classic desktop scheme the program was drawn for.
    switch (index) {
    case COLOR_WINDOW: return RGB(255, 255, 255);
    case COLOR_WINDOWTEXT: return RGB(0, 0, 0);
    case COLOR_HIGHLIGHT: return RGB(10, 36, 106);
    case COLOR_HIGHLIGHTTEXT: return RGB(255, 255, 255);
    case COLOR_3DFACE: return RGB(212, 208, 200);
    case COLOR_3DSHADOW:
    case COLOR_GRAYTEXT: return RGB(128, 128, 128);
    case COLOR_BTNTEXT: return RGB(0, 0, 0);
    case COLOR_3DHILIGHT: return RGB(255, 255, 255);
    case COLOR_3DDKSHADOW: return RGB(64, 64, 64);
    case COLOR_3DLIGHT: return RGB(212, 208, 200);
    case COLOR_INFOTEXT: return RGB(0, 0, 0);
    case COLOR_INFOBK: return RGB(255, 255, 225);
    case COLOR_ACTIVECAPTION: return RGB(10, 36, 106);
    case COLOR_GRADIENTACTIVECAPTION: return RGB(166, 202, 240);
    case COLOR_INACTIVECAPTION: return RGB(128, 128, 128);
    case COLOR_GRADIENTINACTIVECAPTION: return RGB(192, 192, 192);
    case COLOR_CAPTIONTEXT: return RGB(255, 255, 255);
    default: return RGB(0, 0, 0);
    }
}

HBRUSH WINAPI GetSysColorBrush(int index) {
    static HBRUSH__ brushes[32];
    HBRUSH__& brush = brushes[index & 31];
    brush.color = GetSysColor(index);
    return &brush;
}

COLORREF BrushColor(HBRUSH brush) { return brush != nullptr ? brush->color : GetSysColor(COLOR_WINDOW); }

int WINAPI GetSystemMetrics(int index) {
    // The icon sizes grow by whole steps with the display's scale.
    const int step = IconStep(wm().Metrics().Scale());
    switch (index) {
    case SM_CXICON:
    case SM_CYICON: return 32 * step;
    case SM_CXSMICON:
    case SM_CYSMICON: return 16 * step;
    case SM_CXSCREEN: return wm().GetBackend() != nullptr ? wm().GetBackend()->WorkArea().right : 0;
    case SM_CYSCREEN: return wm().GetBackend() != nullptr ? wm().GetBackend()->WorkArea().bottom : 0;
    default: return 0;
    }
}

BOOL WINAPI CreateCaret(HWND hWnd, HANDLE, int width, int height) {
    Caret& caret = wm().GetCaret();
    caret = Caret{};
    caret.owner = hWnd;
    caret.width = width;
    caret.height = height;
    return TRUE;
}

BOOL WINAPI ShowCaret(HWND hWnd) {
    Caret& caret = wm().GetCaret();
    if (caret.owner != hWnd || caret.hideCount == 0) return FALSE;
    --caret.hideCount;
    wm().Invalidate(hWnd);
    return TRUE;
}

BOOL WINAPI DestroyCaret() {
    const HWND owner = wm().GetCaret().owner;
    wm().GetCaret() = Caret{};
    if (IsWindow(owner)) wm().Invalidate(owner);
    return TRUE;
}

BOOL WINAPI SetCaretPos(int x, int y) {
    Caret& caret = wm().GetCaret();
    if (caret.owner == nullptr) return FALSE;
    caret.pos = {x, y};
    wm().Invalidate(caret.owner);
    return TRUE;
}

BOOL WINAPI GetCaretPos(LPPOINT point) {
    *point = wm().GetCaret().pos;
    return TRUE;
}

HWND WINAPI SetCapture(HWND hWnd) {
    HWND old = wm().Capture();
    wm().SetCapture(hWnd);
    return old;
}

BOOL WINAPI ReleaseCapture() {
    wm().ReleaseCapture();
    return TRUE;
}

HWND WINAPI GetCapture() { return wm().Capture(); }

int WINAPI MessageBoxA(HWND hWnd, LPCSTR text, LPCSTR caption, UINT type) {
    Backend* backend = wm().GetBackend();
    if (backend == nullptr) return IDOK;
    if (HWND active = GetActiveWindow()) SendMessageA(active, WM_CANCELMODE, 0, 0);
    return backend->MessageBox(hWnd, text ? text : "", caption ? caption : "", type);
}

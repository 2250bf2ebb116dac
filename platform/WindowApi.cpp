#include "WindowApi.h"

#include <algorithm>

#include "CWnd.h"
#include "DeviceContext.h"
#include "WindowManager.h"

namespace {
WindowManager& wm() { return WindowManager::Instance(); }
std::string g_applicationName = "dotwise";
}  // namespace

LRESULT SendMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return wm().Send(hWnd, message, wParam, lParam);
}

BOOL PostMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!wm().IsWindow(hWnd)) return FALSE;
    wm().Post(hWnd, message, wParam, lParam);
    return TRUE;
}

BOOL IsWindow(HWND hWnd) { return wm().IsWindow(hWnd) ? TRUE : FALSE; }
HWND GetFocus() { return wm().Focus(); }
HWND SetFocus(HWND hWnd) { return wm().SetFocus(hWnd); }
HWND GetParent(HWND hWnd) { return IsWindow(hWnd) ? hWnd->parent : nullptr; }

HWND GetDlgItem(HWND hDlg, int nID) {
    if (!IsWindow(hDlg)) return nullptr;
    for (HWND child : hDlg->children)
        if (child->id == nID) return child;
    return nullptr;
}

HWND GetNextDlgTabItem(HWND hDlg, HWND hCtl, BOOL bPrevious) {
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

BOOL EnableWindow(HWND hWnd, BOOL bEnable) {
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

BOOL IsWindowEnabled(HWND hWnd) { return IsWindow(hWnd) && hWnd->IsEnabled() ? TRUE : FALSE; }

BOOL DestroyWindow(HWND hWnd) {
    if (!IsWindow(hWnd)) return FALSE;
    wm().Destroy(hWnd);
    return TRUE;
}

BOOL InvalidateRect(HWND hWnd, const RECT*, BOOL) {
    if (!IsWindow(hWnd)) return FALSE;
    wm().Invalidate(hWnd);
    return TRUE;
}

short GetAsyncKeyState(int vKey) { return wm().IsKeyDown(static_cast<UINT>(vKey)) ? static_cast<short>(0x8000) : 0; }

COLORREF GetSysColor(int index) {
    // The classic desktop scheme the program was drawn for.
    switch (index) {
    case COLOR_WINDOW: return RGB(255, 255, 255);
    case COLOR_WINDOWTEXT: return RGB(0, 0, 0);
    case COLOR_HIGHLIGHT: return RGB(10, 36, 106);
    case COLOR_HIGHLIGHTTEXT: return RGB(255, 255, 255);
    case COLOR_3DFACE: return RGB(212, 208, 200);
    case COLOR_3DSHADOW: return RGB(128, 128, 128);
    case COLOR_GRAYTEXT: return RGB(128, 128, 128);
    case COLOR_BTNTEXT: return RGB(0, 0, 0);
    case COLOR_3DHILIGHT: return RGB(255, 255, 255);
    case COLOR_3DDKSHADOW: return RGB(64, 64, 64);
    case COLOR_3DLIGHT: return RGB(212, 208, 200);
    case COLOR_INFOTEXT: return RGB(0, 0, 0);
    case COLOR_INFOBK: return RGB(255, 255, 225);
    case COLOR_ACTIVECAPTION: return RGB(10, 36, 106);
    case COLOR_CAPTIONTEXT: return RGB(255, 255, 255);
    default: return RGB(0, 0, 0);
    }
}

HBRUSH GetSysColorBrush(int index) {
    static BrushObject brushes[32];
    BrushObject& brush = brushes[index & 31];
    brush.color = GetSysColor(index);
    return &brush;
}

COLORREF BrushColor(HBRUSH brush) { return brush != nullptr ? brush->color : GetSysColor(COLOR_WINDOW); }

int GetSystemMetrics(int index) {
    switch (index) {
    case SM_CXICON:
    case SM_CYICON: return 32;
    default: return 0;
    }
}

BOOL CreateCaret(HWND hWnd, int width, int height) {
    Caret& caret = wm().GetCaret();
    caret = Caret{};
    caret.owner = hWnd;
    caret.width = width;
    caret.height = height;
    return TRUE;
}

BOOL ShowCaret(HWND hWnd) {
    Caret& caret = wm().GetCaret();
    if (caret.owner != hWnd || caret.hideCount == 0) return FALSE;
    --caret.hideCount;
    wm().Invalidate(hWnd);
    return TRUE;
}

BOOL HideCaret(HWND hWnd) {
    Caret& caret = wm().GetCaret();
    if (caret.owner != hWnd) return FALSE;
    ++caret.hideCount;
    wm().Invalidate(hWnd);
    return TRUE;
}

BOOL DestroyCaret() {
    wm().GetCaret() = Caret{};
    return TRUE;
}

BOOL SetCaretPos(int x, int y) {
    Caret& caret = wm().GetCaret();
    if (caret.owner == nullptr) return FALSE;
    caret.pos = {x, y};
    wm().Invalidate(caret.owner);
    return TRUE;
}

BOOL GetCaretPos(POINT* point) {
    *point = wm().GetCaret().pos;
    return TRUE;
}

HWND SetCapture(HWND hWnd) {
    HWND old = wm().Capture();
    wm().SetCapture(hWnd);
    return old;
}

BOOL ReleaseCapture() {
    wm().ReleaseCapture();
    return TRUE;
}

HWND GetCapture() { return wm().Capture(); }

int MessageBox(HWND hWnd, const char* text, const char* caption, UINT type) {
    Backend* backend = wm().GetBackend();
    if (backend == nullptr) return IDOK;
    return backend->MessageBox(hWnd, text ? text : "", caption ? caption : "", type);
}

const std::string& ApplicationName() { return g_applicationName; }
void SetApplicationName(std::string name) { g_applicationName = std::move(name); }

#include "StaticControl.h"

#include "DefaultProcedure.h"
#include "DeviceContext.h"
#include "Icon.h"
#include "Resources.h"
#include "WindowManager.h"

#include <cstdlib>

LRESULT StaticControl::Handle(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_LBUTTONDOWN:
        if (hWnd->style & SS_NOTIFY) NotifyParent(hWnd, STN_CLICKED);
        return 0;
    case WM_LBUTTONDBLCLK:
        if (hWnd->style & SS_NOTIFY) NotifyParent(hWnd, STN_DBLCLK);
        return 0;
    case WM_GETDLGCODE: return DLGC_STATIC;
    case WM_SETTEXT:
        // An icon static's text names its icon; a name that is no icon of the program changes nothing.
        if ((hWnd->style & SS_TYPEMASK) == SS_ICON) {
            const char* name = reinterpret_cast<const char*>(lParam);
            HICON icon = name != nullptr && name[0] == '#' ? LoadIconResource(std::atoi(name + 1), 32) : nullptr;
            if (icon == nullptr) return FALSE;
            hWnd->bigIcon = icon;
            InvalidateRect(hWnd, nullptr, TRUE);
            return TRUE;
        }
        return DefWindowProcA(hWnd, message, wParam, lParam);
    case WM_PAINT:
        if ((hWnd->style & SS_TYPEMASK) == SS_ICON && hWnd->bigIcon != nullptr) {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(hWnd, &paint);
            const int step = IconStep(WindowManager::Instance().Metrics().Scale());
            DrawIconEx(dc, 0, 0, hWnd->bigIcon, hWnd->bigIcon->width * step, hWnd->bigIcon->height * step, 0, nullptr, DI_NORMAL);
            EndPaint(hWnd, &paint);
        }
        return 0;
    default: return DefWindowProcA(hWnd, message, wParam, lParam);
    }
}

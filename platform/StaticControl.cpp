#include "StaticControl.h"

#include "DefaultProcedure.h"

LRESULT StaticControl::Handle(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_LBUTTONDOWN:
        if (hWnd->style & SS_NOTIFY) NotifyParent(hWnd, STN_CLICKED);
        return 0;
    case WM_LBUTTONDBLCLK:
        if (hWnd->style & SS_NOTIFY) NotifyParent(hWnd, STN_DBLCLK);
        return 0;
    case WM_GETDLGCODE: return DLGC_STATIC;
    default: return DefWindowProcA(hWnd, message, wParam, lParam);
    }
}

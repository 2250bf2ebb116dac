#include "ButtonControl.h"

#include "DefaultProcedure.h"
#include "WindowApi.h"
#include "WindowManager.h"

ButtonControl* ButtonControlOf(HWND hWnd) {
    if (!IsWindow(hWnd) || hWnd->windowClass != WindowClass::Button) return nullptr;
    return dynamic_cast<ButtonControl*>(hWnd->procedure.get());
}

void ButtonControl::Click(HWND hWnd) {
    if ((hWnd->style & BS_TYPEMASK) == BS_AUTORADIOBUTTON) {
        // Checking one radio button clears the others of its group.
        if (HWND parent = hWnd->parent) {
            for (HWND sibling : parent->children)
                if (ButtonControl* b = ButtonControlOf(sibling); b && (sibling->style & BS_TYPEMASK) == BS_AUTORADIOBUTTON) b->m_checked = false;
        }
        m_checked = true;
    }
    NotifyParent(hWnd, BN_CLICKED);
}

LRESULT ButtonControl::Handle(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const bool groupBox = (hWnd->style & BS_TYPEMASK) == BS_GROUPBOX;
    WindowManager& wm = WindowManager::Instance();
    switch (message) {
    case WM_LBUTTONDOWN:
        if (groupBox) return 0;
        if (GetFocus() != hWnd) SetFocus(hWnd);
        SetCapture(hWnd);
        m_pressed = true;
        wm.Invalidate(hWnd);
        return 0;
    case WM_MOUSEMOVE:
        if (GetCapture() == hWnd) {
            const Point p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            m_pressed = (wParam & MK_LBUTTON) && wm.ClientRect(hWnd).PtInRect(p);
            wm.Invalidate(hWnd);
        }
        return 0;
    case WM_LBUTTONUP: {
        if (GetCapture() != hWnd) return 0;
        ReleaseCapture();
        const bool inside = m_pressed;
        m_pressed = false;
        wm.Invalidate(hWnd);
        if (inside) Click(hWnd);
        return 0;
    }
    case WM_KEYDOWN:
        if (wParam == VK_SPACE && !groupBox) {
            m_pressed = true;
            wm.Invalidate(hWnd);
        }
        return 0;
    case WM_KEYUP:
        if (wParam == VK_SPACE && m_pressed) {
            m_pressed = false;
            wm.Invalidate(hWnd);
            Click(hWnd);
        }
        return 0;
    case WM_SETFOCUS:
        m_focused = true;
        wm.Invalidate(hWnd);
        return 0;
    case WM_KILLFOCUS:
        m_focused = false;
        m_pressed = false;
        wm.Invalidate(hWnd);
        return 0;
    case WM_GETDLGCODE:
        switch (hWnd->style & BS_TYPEMASK) {
        case BS_DEFPUSHBUTTON: return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
        case BS_PUSHBUTTON: return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
        case BS_AUTORADIOBUTTON: return DLGC_BUTTON | DLGC_RADIOBUTTON;
        default: return DLGC_STATIC;
        }
    default: return DefWindowProcA(hWnd, message, wParam, lParam);
    }
}

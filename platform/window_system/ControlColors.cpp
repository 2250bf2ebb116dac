#include "ControlColors.h"

#include "DeviceContext.h"
#include "WindowApi.h"
#include "WindowState.h"

ControlColors QueryControlColors(HWND hWnd) {
    DeviceContext dc;
    dc.hWnd = hWnd;
    // Read-only and disabled edits are coloured as statics are, on the dialog's face.
    const bool editable = hWnd->windowClass == WindowClass::Edit && hWnd->IsEnabled() && !(hWnd->style & ES_READONLY);
    const UINT message = editable ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC;
    HWND parent = hWnd->IsChild() ? hWnd->parent : nullptr;
    auto brush =
        reinterpret_cast<HBRUSH>(SendMessage(parent ? parent : hWnd, message, reinterpret_cast<WPARAM>(&dc), reinterpret_cast<LPARAM>(hWnd)));
    ControlColors colors{dc.textColor, brush ? BrushColor(brush) : dc.bkColor, dc.bkMode == TRANSPARENT};
    if (!hWnd->IsEnabled()) colors.text = GetSysColor(COLOR_GRAYTEXT);
    return colors;
}

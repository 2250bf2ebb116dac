#include "DialogProcedure.h"

#include <cstdlib>

#include "ButtonControl.h"
#include "DeviceContext.h"
#include "DefaultProcedure.h"
#include "EditControl.h"
#include "Icon.h"
#include "StaticControl.h"
#include "WindowApi.h"
#include "WindowManager.h"

namespace {

const FontObject kDialogFont{"宋体", 9};

int MulDiv(int value, int numerator, int denominator) {
    const long long product = static_cast<long long>(value) * numerator;
    return static_cast<int>((product + (product >= 0 ? denominator / 2 : -denominator / 2)) / denominator);
}

HWND DefaultButton(HWND hDlg) {
    HWND focus = GetFocus();
    if (IsWindow(focus) && focus->parent == hDlg && (SendMessage(focus, WM_GETDLGCODE, 0, 0) & DLGC_UNDEFPUSHBUTTON))
        return focus;
    for (HWND child : hDlg->children)
        if (child->windowClass == WindowClass::Button && (child->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) return child;
    return GetDlgItem(hDlg, IDOK);
}

void PressButton(HWND hDlg, int id, HWND button) {
    if (IsWindow(button) && !button->IsEnabled()) return;
    SendMessage(hDlg, WM_COMMAND, MAKEWPARAM(static_cast<unsigned>(id), BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

std::unique_ptr<StandardProcedure> ProcedureFor(WindowClass cls) {
    switch (cls) {
    case WindowClass::Edit: return std::make_unique<EditControl>();
    case WindowClass::Button: return std::make_unique<ButtonControl>();
    case WindowClass::Dialog: return std::make_unique<DialogProcedure>();
    default: return std::make_unique<StaticControl>();
    }
}

}  // namespace

CRect DialogUnitsToPixels(short x, short y, short cx, short cy) {
    const TextMetrics& metrics = WindowManager::Instance().Metrics();
    const int baseX = metrics.AverageCharWidth();
    const int baseY = metrics.Height();
    const int left = MulDiv(x, baseX, 4);
    const int top = MulDiv(y, baseY, 8);
    return {left, top, left + MulDiv(cx, baseX, 4), top + MulDiv(cy, baseY, 8)};
}

CRect DialogFrameInset(DWORD style) {
    const FrameMetrics frames = WindowManager::Instance().GetBackend()->Frames();
    const int caption = (style & WS_CAPTION) == WS_CAPTION ? WindowManager::Instance().Metrics().Height() + frames.captionPadding : 0;
    const int border = frames.dialogBorder;
    return {border, border + caption, border, border};
}

HWND CreateDialogWindow(const DialogTemplate& t, HWND owner) {
    WindowManager& wm = WindowManager::Instance();
    HWND dlg = wm.CreateWindowState(WindowClass::Dialog, ProcedureFor(WindowClass::Dialog));
    dlg->style = t.style & ~WS_VISIBLE;
    dlg->exStyle = t.exStyle;
    dlg->templateId = t.id;
    dlg->text = t.caption ? t.caption : "";
    dlg->font = &kDialogFont;
    dlg->clientInset = DialogFrameInset(t.style);
    const CRect client = DialogUnitsToPixels(t.x, t.y, t.cx, t.cy);
    const CRect& inset = dlg->clientInset;
    dlg->rect = {client.left, client.top, client.left + client.Width() + inset.left + inset.right,
                 client.top + client.Height() + inset.top + inset.bottom};
    wm.AddChild(owner, dlg);
    for (const DialogItemTemplate& item : t.items) {
        HWND ctl = wm.CreateWindowState(item.windowClass, ProcedureFor(item.windowClass));
        ctl->id = item.id;
        ctl->style = item.style | WS_CHILD;
        ctl->rect = DialogUnitsToPixels(item.x, item.y, item.cx, item.cy);
        if (item.windowClass == WindowClass::Edit && (item.style & WS_BORDER)) {
            const int border = wm.GetBackend()->Frames().editBorder;
            ctl->clientInset = {border, border, border, border};
        }
        ctl->font = &kDialogFont;
        wm.AddChild(dlg, ctl);
        if (item.windowClass == WindowClass::Static && (item.style & SS_TYPEMASK) == SS_ICON && item.text && item.text[0] == '#') {
            // An icon static names its icon resource as "#id".
            ctl->bigIcon = LoadIconResource(std::atoi(item.text + 1), 32);
            continue;
        }
        if (item.windowClass == WindowClass::Edit) {
            SendMessage(ctl, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(item.text ? item.text : ""));
        } else {
            ctl->text = item.text ? item.text : "";
        }
    }
    return dlg;
}

bool IsDialogKey(HWND hDlg, UINT vk) {
    if (!IsWindow(hDlg)) return false;
    HWND focus = GetFocus();
    const UINT code = IsWindow(focus) ? static_cast<UINT>(SendMessage(focus, WM_GETDLGCODE, vk, 0)) : 0;
    if (code & DLGC_WANTALLKEYS) return false;
    const bool alt = GetAsyncKeyState(VK_MENU) < 0;
    const bool ctrl = GetAsyncKeyState(VK_CONTROL) < 0;
    switch (vk) {
    case VK_TAB: {
        if (code & DLGC_WANTTAB || alt || ctrl) return false;
        HWND next = GetNextDlgTabItem(hDlg, focus, GetAsyncKeyState(VK_SHIFT) < 0);
        if (next == nullptr) return true;
        SetFocus(next);
        // Tabbing into a field selects its text, as users expect.
        if (SendMessage(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessage(next, EM_SETSEL, 0, -1);
        return true;
    }
    case VK_RETURN: {
        if (alt) return false;
        HWND button = DefaultButton(hDlg);
        PressButton(hDlg, button ? button->id : IDOK, button);
        return true;
    }
    case VK_ESCAPE:
        PressButton(hDlg, IDCANCEL, GetDlgItem(hDlg, IDCANCEL));
        return true;
    case VK_SPACE:
        if (!alt) return false;
        SendMessage(hDlg, WM_SYSCOMMAND, SC_KEYMENU, ' ');
        return true;
    case VK_F1 + 3:  // F4
        if (!alt) return false;
        SendMessage(hDlg, WM_SYSCOMMAND, SC_CLOSE, 0);
        return true;
    case VK_F1:
        PostMessage(hDlg, WM_COMMAND, ID_HELP, 0);
        return true;
    default: return false;
    }
}

LRESULT DialogProcedure::Handle(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        PostMessage(hWnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(hWnd, IDCANCEL)));
        return 0;
    case WM_SETFOCUS:
        // A dialog passes the focus on to its first control.
        if (HWND target = GetNextDlgTabItem(hWnd, nullptr, FALSE)) SetFocus(target);
        return 0;
    case WM_GETDLGCODE: return 0;
    default: return DefWindowProcA(hWnd, message, wParam, lParam);
    }
}

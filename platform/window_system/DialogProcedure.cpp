#include "DialogProcedure.h"

#include "DialogTemplateImage.h"

#include <cstdlib>

#include "ButtonControl.h"
#include "DefaultProcedure.h"
#include "DeviceContext.h"
#include "Icon.h"
#include "WindowClasses.h"
#include "WindowManager.h"

namespace {

HFONT__ kDialogFont{"宋体", 9};

int MulDiv(int value, int numerator, int denominator) {
    const long long product = static_cast<long long>(value) * numerator;
    return static_cast<int>((product + (product >= 0 ? denominator / 2 : -denominator / 2)) / denominator);
}

HWND DefaultButton(HWND hDlg) {
    HWND focus = GetFocus();
    if (IsWindow(focus) && focus->parent == hDlg && (SendMessage(focus, WM_GETDLGCODE, 0, 0) & DLGC_UNDEFPUSHBUTTON)) return focus;
    for (HWND child : hDlg->children)
        if (child->windowClass == WindowClass::Button && (child->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) return child;
    return GetDlgItem(hDlg, IDOK);
}

void PressButton(HWND hDlg, int id, HWND button) {
    if (IsWindow(button) && !button->IsEnabled()) return;
    SendMessage(hDlg, WM_COMMAND, MAKEWPARAM(static_cast<unsigned>(id), BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

}  // namespace

Rect DialogUnitsToPixels(short x, short y, short cx, short cy) {
    const TextMetrics& metrics = WindowManager::Instance().Metrics();
    const int baseX = metrics.AverageCharWidth();
    const int baseY = metrics.Height();
    const int left = MulDiv(x, baseX, 4);
    const int top = MulDiv(y, baseY, 8);
    return {left, top, left + MulDiv(cx, baseX, 4), top + MulDiv(cy, baseY, 8)};
}

Rect DialogFrameInset(DWORD style) {
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
    dlg->text = t.caption ? t.caption : "";
    dlg->font = &kDialogFont;
    dlg->clientInset = DialogFrameInset(t.style);
    const Rect client = DialogUnitsToPixels(t.x, t.y, t.cx, t.cy);
    const Rect& inset = dlg->clientInset;
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
        // Alt+Escape is the system's key for the next window, not the dialog's cancel.
        if (alt) return false;
        PressButton(hDlg, IDCANCEL, GetDlgItem(hDlg, IDCANCEL));
        return true;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: {
        // The arrows move the focus within the focused control's group, unless it wants them.
        if (alt || (code & DLGC_WANTARROWS) || !IsWindow(focus)) return false;
        HWND next = GetNextDlgGroupItem(hDlg, focus, vk == VK_LEFT || vk == VK_UP);
        if (next == nullptr || next == focus) return true;
        SetFocus(next);
        return true;
    }
    case VK_SPACE:
        if (!alt) return false;
        SendMessage(hDlg, WM_SYSCOMMAND, SC_KEYMENU, ' ');
        return true;
    case VK_F1 + 3:  // F4
        if (!alt) return false;
        SendMessage(hDlg, WM_SYSCOMMAND, SC_CLOSE, 0);
        return true;
    case VK_F1: {
        // Help is asked of the window with the focus; a control passes the request on to its dialog.
        HWND asker = IsWindow(focus) ? focus : hDlg;
        HELPINFO info{sizeof(HELPINFO), HELPINFO_WINDOW, GetDlgCtrlID(asker), asker, 0, WindowManager::Instance().CursorPos()};
        SendMessage(asker, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
        return true;
    }
    default: return false;
    }
}

namespace {

// Messages whose answer the dialog procedure returns itself rather than through DWLP_MSGRESULT.
bool AnswersDirectly(UINT message) {
    return message == WM_INITDIALOG || message == WM_QUERYDRAGICON || (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC);
}

bool IsOnDialog(HWND hDlg, HWND hWnd) {
    for (HWND h = hWnd; IsWindow(h); h = h->IsChild() ? h->parent : nullptr)
        if (h == hDlg) return true;
    return false;
}

bool IsDialogChar(WPARAM ch) { return ch == '\t' || ch == '\r' || ch == 0x1B; }

}  // namespace

LRESULT DialogProcedure::Handle(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    // The program's dialog procedure sees each message first.
    if (hWnd->dialogProc != nullptr) {
        hWnd->msgResult = 0;
        const INT_PTR handled = hWnd->dialogProc(hWnd, message, wParam, lParam);
        if (!IsWindow(hWnd)) return 0;
        if (handled != 0) return AnswersDirectly(message) ? handled : hWnd->msgResult;
    }
    switch (message) {
    case WM_CLOSE: PostMessage(hWnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(hWnd, IDCANCEL))); return 0;
    case WM_SETFOCUS:
        // A dialog passes the focus on to its first control.
        if (HWND target = GetNextDlgTabItem(hWnd, nullptr, FALSE)) SetFocus(target);
        return 0;
    case WM_GETDLGCODE: return 0;
    default: return DefWindowProcA(hWnd, message, wParam, lParam);
    }
}

BOOL WINAPI IsDialogMessageA(HWND hDlg, LPMSG msg) {
    if (!IsWindow(hDlg) || msg == nullptr || !IsOnDialog(hDlg, msg->hwnd)) return FALSE;
    switch (msg->message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (IsDialogKey(hDlg, static_cast<UINT>(msg->wParam))) return TRUE;
        break;
    case WM_CHAR: {
        // A control that takes characters gets them all; otherwise Tab, Enter and
        // Escape are the dialog's, and were used as keys already.
        const auto code = static_cast<UINT>(SendMessage(msg->hwnd, WM_GETDLGCODE, msg->wParam, reinterpret_cast<LPARAM>(msg)));
        if (code & DLGC_WANTCHARS) break;
        if (msg->wParam == '\t' && (code & DLGC_WANTTAB)) break;
        if (IsDialogChar(msg->wParam)) return TRUE;
        break;
    }
    default: break;
    }
    TranslateMessage(msg);
    DispatchMessage(msg);
    return TRUE;
}

HWND WINAPI CreateDialogIndirectParamA(HINSTANCE, LPCDLGTEMPLATE dialogTemplate, HWND owner, DLGPROC dialogProc, LPARAM initParam) {
    LoadedDialogTemplate loaded;
    if (!loaded.Read(dialogTemplate)) return nullptr;
    const DialogTemplate t = loaded.View();
    HWND hDlg = CreateDialogWindow(t, owner);
    hDlg->dialogProc = dialogProc;
    const LRESULT setFocus = SendMessage(hDlg, WM_INITDIALOG, reinterpret_cast<WPARAM>(GetNextDlgTabItem(hDlg, nullptr, FALSE)), initParam);
    if (!IsWindow(hDlg)) return nullptr;
    // Unless the program placed the focus itself, it goes to the first control that takes it.
    if (setFocus)
        if (HWND first = GetNextDlgTabItem(hDlg, nullptr, FALSE)) SetFocus(first);
    if (IsWindow(hDlg) && (t.style & WS_VISIBLE)) ShowWindow(hDlg, SW_SHOWNORMAL);
    return IsWindow(hDlg) ? hDlg : nullptr;
}

BOOL WINAPI EndDialog(HWND hDlg, INT_PTR result) {
    if (!IsWindow(hDlg) || hDlg->windowClass != WindowClass::Dialog) return FALSE;
    hDlg->dialogEnded = true;
    hDlg->dialogResult = result;
    // Wakes the dialog's loop, which may be waiting for a message.
    PostMessage(hDlg, WM_NULL, 0, 0);
    return TRUE;
}

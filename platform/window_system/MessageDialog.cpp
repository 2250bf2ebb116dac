#include "MessageDialog.h"

#include <algorithm>
#include <vector>

#include "DialogProcedure.h"
#include "DialogTemplateImage.h"
#include "InterfaceLanguage.h"
#include "WindowManager.h"

namespace {

INT_PTR CALLBACK MessageBoxProcedure(HWND hDlg, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) return TRUE;
    // A box with only OK ends with OK however it is closed.
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(hDlg, IDOK);
        return TRUE;
    }
    return FALSE;
}

// Over the owner, or in the middle of the work area.
void Centre(HWND hDlg, HWND owner) {
    WindowManager& wm = WindowManager::Instance();
    const Rect work = wm.GetBackend() != nullptr ? wm.GetBackend()->WorkArea() : Rect{0, 0, 1280, 800};
    const Rect area = IsWindow(owner) ? wm.ScreenRect(owner) : work;
    const Rect r = hDlg->rect;
    // On the work area, its top-left corner first, as a dialog centred by the class library.
    const auto place = [](int centred, int size, int from, int to) { return std::max(from, std::min(centred, to - size)); };
    SetWindowPos(hDlg, nullptr, place(area.left + (area.Width() - r.Width()) / 2, r.Width(), work.left, work.right),
                 place(area.top + (area.Height() - r.Height()) / 2, r.Height(), work.top, work.bottom), 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

}  // namespace

int RunMessageDialog(HWND owner, const std::string& text, const std::string& caption, UINT) {
    const TextMetrics& metrics = WindowManager::Instance().Metrics();
    int widest = 0;
    int lines = 0;
    for (std::size_t start = 0; start <= text.size(); ++lines) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        widest = std::max(widest, metrics.TextWidth(std::string_view(text).substr(start, end - start)));
        start = end + 1;
    }
    // Sizes in dialog units: 4 per average character across, 8 per line down.
    const auto textWidth = static_cast<short>(std::max(60, widest * 4 / metrics.AverageCharWidth() + 4));
    const auto textHeight = static_cast<short>(lines * 8 + 2);
    const auto width = static_cast<short>(textWidth + 24);
    const auto buttonTop = static_cast<short>(14 + textHeight);
    const std::vector<DialogItemTemplate> items = {
        {0xFFFF, WindowClass::Static, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 12, 10, textWidth, textHeight, text.c_str()},
        {IDOK, WindowClass::Button, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, static_cast<short>((width - 50) / 2), buttonTop, 50, 14,
         InterfaceText("确定", "OK")},
    };
    const DialogTemplate dialog{
        0, false, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0, 0, 0, width, static_cast<short>(buttonTop + 22), caption.c_str(), "宋体",
        9, items};
    HWND focusBefore = GetFocus();
    const bool disableOwner = IsWindow(owner) && IsWindowEnabled(owner);
    if (disableOwner) EnableWindow(owner, FALSE);
    const std::vector<WORD> image = CompileDialogTemplate(dialog);
    HWND box = CreateDialogIndirectParamA(nullptr, reinterpret_cast<LPCDLGTEMPLATE>(image.data()), owner, &MessageBoxProcedure, 0);
    if (box != nullptr) {
        box->messageBox = true;
        Centre(box, owner);
        ShowWindow(box, SW_SHOWNORMAL);
    }
    MSG msg{};
    while (IsWindow(box) && !box->dialogEnded) {
        if (!GetMessageA(&msg, nullptr, 0, 0)) {
            // The program is quitting: leave the quit for the loops further out.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!IsDialogMessageA(box, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    if (disableOwner) EnableWindow(owner, TRUE);
    if (IsWindow(focusBefore)) SetFocus(focusBefore);
    if (IsWindow(box)) DestroyWindow(box);
    return IDOK;
}

// Sending and posting messages, and the queue a message loop reads.
#include "WindowManager.h"

namespace {
WindowManager& wm() { return WindowManager::Instance(); }
}  // namespace

LRESULT WINAPI SendMessageA(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) { return wm().Send(hWnd, message, wParam, lParam); }

BOOL WINAPI PostMessageA(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!wm().IsWindow(hWnd)) return FALSE;
    wm().Post(hWnd, message, wParam, lParam);
    return TRUE;
}

// A window's text is its answer to the text messages, as for any window of the program's own.
int WINAPI GetWindowTextLengthA(HWND hWnd) { return static_cast<int>(SendMessageA(hWnd, WM_GETTEXTLENGTH, 0, 0)); }

int WINAPI GetWindowTextA(HWND hWnd, LPSTR text, int maxCount) {
    if (text == nullptr || maxCount <= 0) return 0;
    text[0] = '\0';
    return static_cast<int>(SendMessageA(hWnd, WM_GETTEXT, static_cast<WPARAM>(maxCount), reinterpret_cast<LPARAM>(text)));
}

BOOL WINAPI SetWindowTextA(HWND hWnd, LPCSTR text) { return SendMessageA(hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) != 0 ? TRUE : FALSE; }

void WINAPI PostQuitMessage(int exitCode) { wm().PostQuit(exitCode); }

BOOL WINAPI GetMessageA(LPMSG msg, HWND, UINT, UINT) { return wm().Get(msg) ? TRUE : FALSE; }

BOOL WINAPI PeekMessageA(LPMSG msg, HWND, UINT, UINT, UINT removeMsg) { return wm().Peek(msg, (removeMsg & PM_REMOVE) != 0) ? TRUE : FALSE; }

BOOL WINAPI TranslateMessage(const MSG* msg) { return msg != nullptr && wm().Translate(*msg) ? TRUE : FALSE; }

LRESULT WINAPI DispatchMessageA(const MSG* msg) {
    if (msg == nullptr || !wm().IsWindow(msg->hwnd)) return 0;
    return wm().Send(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

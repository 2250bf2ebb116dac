// What other code on the program's thread may ask of its windows: which
// there are, what the thread's focus, capture, menu and caret are, and a
// look at each window as it activates (the CBT hook). There is one thread.
#include <algorithm>
#include <cstring>
#include <vector>

#include "Menu.h"
#include "WindowManager.h"

struct HHOOK__ {
    int id;
    HOOKPROC proc;
};

namespace {

WindowManager& wm() { return WindowManager::Instance(); }

constexpr DWORD kThreadId = 1;

// Installed hooks, the newest first, as the system calls them.
std::vector<HHOOK__*>& Hooks() {
    static std::vector<HHOOK__*> hooks;
    return hooks;
}

// Where in the chain each running hook is, so that CallNextHookEx finds the next.
std::vector<std::size_t>& RunningHooks() {
    static std::vector<std::size_t> running;
    return running;
}

LRESULT CallHooksFrom(std::size_t first, int id, int code, WPARAM wParam, LPARAM lParam) {
    const std::vector<HHOOK__*> hooks = Hooks();
    for (std::size_t i = first; i < hooks.size(); ++i) {
        if (hooks[i]->id != id) continue;
        RunningHooks().push_back(i);
        const LRESULT result = hooks[i]->proc(code, wParam, lParam);
        RunningHooks().pop_back();
        return result;
    }
    return 0;
}

}  // namespace

LRESULT CallCbtHooks(int code, WPARAM wParam, LPARAM lParam) { return CallHooksFrom(0, WH_CBT, code, wParam, lParam); }

DWORD WINAPI GetCurrentThreadId() { return kThreadId; }

// The program is the only one on this window system: its active window is the foreground.
HWND WINAPI GetActiveWindow() { return wm().ActiveDialog(); }
HWND WINAPI GetForegroundWindow() { return wm().ActiveDialog(); }
BOOL WINAPI SetForegroundWindow(HWND hWnd) { return IsWindow(hWnd) && hWnd == wm().ActiveDialog() ? TRUE : FALSE; }

BOOL WINAPI EnumThreadWindows(DWORD threadId, WNDENUMPROC enumProc, LPARAM param) {
    if (threadId != kThreadId || enumProc == nullptr) return FALSE;
    // From the top of the z-order down: open menus over everything, then the newest window first.
    std::vector<HWND> windows = MenuPopupWindows();
    const std::vector<HWND> tops = wm().TopLevelWindows();
    windows.insert(windows.end(), tops.rbegin(), tops.rend());
    for (HWND hWnd : windows)
        if (IsWindow(hWnd) && !enumProc(hWnd, param)) break;
    return TRUE;
}

HHOOK WINAPI SetWindowsHookExA(int hookId, HOOKPROC proc, HINSTANCE, DWORD threadId) {
    if (hookId != WH_CBT || proc == nullptr || (threadId != 0 && threadId != kThreadId)) return nullptr;
    Hooks().insert(Hooks().begin(), new HHOOK__{hookId, proc});
    return Hooks().front();
}

BOOL WINAPI UnhookWindowsHookEx(HHOOK hook) {
    const auto at = std::find(Hooks().begin(), Hooks().end(), hook);
    if (at == Hooks().end()) return FALSE;
    Hooks().erase(at);
    delete hook;
    return TRUE;
}

LRESULT WINAPI CallNextHookEx(HHOOK, int code, WPARAM wParam, LPARAM lParam) {
    if (RunningHooks().empty()) return 0;
    const std::size_t current = RunningHooks().back();
    const int id = current < Hooks().size() ? Hooks()[current]->id : WH_CBT;
    return CallHooksFrom(current + 1, id, code, wParam, lParam);
}

BOOL WINAPI GetGUIThreadInfo(DWORD threadId, GUITHREADINFO* info) {
    if ((threadId != 0 && threadId != kThreadId) || info == nullptr || info->cbSize != sizeof(GUITHREADINFO)) return FALSE;
    *info = GUITHREADINFO{};
    info->cbSize = sizeof(GUITHREADINFO);
    info->hwndActive = wm().ActiveDialog();
    info->hwndFocus = wm().Focus();
    info->hwndCapture = wm().Capture();
    if (const TrackedMenu* menu = GetTrackedMenu()) {
        info->flags |= GUI_INMENUMODE | GUI_POPUPMENUMODE;
        info->hwndMenuOwner = menu->owner;
    }
    const Caret& caret = wm().GetCaret();
    if (IsWindow(caret.owner)) {
        info->hwndCaret = caret.owner;
        info->rcCaret = {caret.pos.x, caret.pos.y, caret.pos.x + caret.width, caret.pos.y + caret.height};
    }
    return TRUE;
}

UINT WINAPI GetDlgItemTextA(HWND hDlg, int id, LPSTR text, int maxCount) {
    if (text == nullptr || maxCount <= 0) return 0;
    text[0] = '\0';
    HWND item = GetDlgItem(hDlg, id);
    return item != nullptr ? static_cast<UINT>(GetWindowTextA(item, text, maxCount)) : 0;
}

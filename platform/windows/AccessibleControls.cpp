#include "AccessibleControls.h"

#include <windows.h>

#include <commctrl.h>
#include <oleacc.h>

#include "AccessibleProxy.h"

namespace {

constexpr UINT_PTR kSubclassId = 0xD07;
// The results a pause in typing announces: a reader hears each new figure once, not on every key.
constexpr UINT_PTR kResultsPause = 0xD08;
constexpr UINT kPauseMilliseconds = 600;
constexpr const char* kResultChanged = "DotwiseResultChanged";
constexpr const char* kMarkedLive = "DotwiseMarkedLive";

bool HasClass(HWND hWnd, const char* name) {
    char className[32] = {};
    GetClassNameA(hWnd, className, sizeof className);
    return lstrcmpiA(className, name) == 0;
}

bool IsResultField(HWND hWnd) { return HasClass(hWnd, "Edit") && (GetWindowLongA(hWnd, GWL_STYLE) & ES_READONLY); }

void CALLBACK AnnounceChangedResults(HWND dialog, UINT, UINT_PTR, DWORD) {
    KillTimer(dialog, kResultsPause);
    for (HWND field = GetWindow(dialog, GW_CHILD); field != nullptr; field = GetWindow(field, GW_HWNDNEXT))
        if (RemovePropA(field, kResultChanged) != nullptr) NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, field, OBJID_CLIENT, CHILDID_SELF);
}

// A result is written by the program while the dialog drops its fields' notifications, so the
// field itself tells of its new value; a pause in the writing announces it as a live region.
void AnnounceResult(HWND field) {
    NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, field, OBJID_CLIENT, CHILDID_SELF);
    if (!AccessibilityClientsAsked()) return;
    SetPropA(field, kResultChanged, field);
    SetTimer(GetParent(field), kResultsPause, kPauseMilliseconds, AnnounceChangedResults);
}

LRESULT CALLBACK ControlProcedure(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    switch (message) {
    case WM_GETOBJECT:
        if (static_cast<LONG>(lParam) == OBJID_CLIENT) {
            // Marked once, when a client first asks for the field.
            if (IsResultField(hWnd) && GetPropA(hWnd, kMarkedLive) == nullptr) {
                MarkAsLiveRegion(hWnd);
                SetPropA(hWnd, kMarkedLive, hWnd);
            }
            if (const LRESULT answer = AnswerAccessibleObject(hWnd, wParam); answer != 0) return answer;
        }
        break;
    case WM_SETTEXT:
        if (IsResultField(hWnd)) {
            const LRESULT result = DefSubclassProc(hWnd, message, wParam, lParam);
            AnnounceResult(hWnd);
            return result;
        }
        break;
    case WM_NCDESTROY:
        RemovePropA(hWnd, kResultChanged);
        RemovePropA(hWnd, kMarkedLive);
        RemoveWindowSubclass(hWnd, ControlProcedure, kSubclassId);
        break;
    }
    return DefSubclassProc(hWnd, message, wParam, lParam);
}

// Not every system's edit control announces its changes of value; the dialog hears of each one typed.
LRESULT CALLBACK DialogProcedure(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    const LRESULT result = DefSubclassProc(hWnd, message, wParam, lParam);
    if (message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE && lParam != 0 && !IsResultField(reinterpret_cast<HWND>(lParam)))
        NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, reinterpret_cast<HWND>(lParam), OBJID_CLIENT, CHILDID_SELF);
    if (message == WM_NCDESTROY) RemoveWindowSubclass(hWnd, DialogProcedure, kSubclassId);
    return result;
}

LRESULT CALLBACK OnCreateWindow(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        HWND hWnd = reinterpret_cast<HWND>(wParam);
        if (HasClass(hWnd, "#32770"))
            SetWindowSubclass(hWnd, DialogProcedure, kSubclassId, 0);
        else if (HasClass(hWnd, "Edit") || HasClass(hWnd, "Static") || HasClass(hWnd, "Button"))
            SetWindowSubclass(hWnd, ControlProcedure, kSubclassId, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

void ServeAccessibleControls() { SetWindowsHookExA(WH_CBT, OnCreateWindow, nullptr, GetCurrentThreadId()); }

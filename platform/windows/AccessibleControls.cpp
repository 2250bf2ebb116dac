#include "AccessibleControls.h"

#include <windows.h>

#include <commctrl.h>
#include <oleacc.h>

#include "AccessibleProxy.h"

namespace {

constexpr UINT_PTR kSubclassId = 0xD07;

bool HasClass(HWND hWnd, const char* name) {
    char className[32] = {};
    GetClassNameA(hWnd, className, sizeof className);
    return lstrcmpiA(className, name) == 0;
}

LRESULT CALLBACK ControlProcedure(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    switch (message) {
    case WM_GETOBJECT:
        if (static_cast<LONG>(lParam) == OBJID_CLIENT)
            if (const LRESULT answer = AnswerAccessibleObject(hWnd, wParam); answer != 0) return answer;
        break;
    case WM_NCDESTROY: RemoveWindowSubclass(hWnd, ControlProcedure, kSubclassId); break;
    }
    return DefSubclassProc(hWnd, message, wParam, lParam);
}

// Not every system's edit control announces its changes of value; the dialog hears of each one.
LRESULT CALLBACK DialogProcedure(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    const LRESULT result = DefSubclassProc(hWnd, message, wParam, lParam);
    if (message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE && lParam != 0)
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

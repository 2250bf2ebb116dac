#include "WindowClasses.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <strings.h>

#include "ButtonControl.h"
#include "DefaultProcedure.h"
#include "DialogProcedure.h"
#include "EditControl.h"
#include "Menu.h"
#include "StaticControl.h"
#include "ToolTip.h"
#include "WindowManager.h"

#include <commctrl.h>

std::unique_ptr<StandardProcedure> ProcedureFor(WindowClass cls) {
    switch (cls) {
    case WindowClass::Edit: return std::make_unique<EditControl>();
    case WindowClass::Button: return std::make_unique<ButtonControl>();
    case WindowClass::Dialog: return std::make_unique<DialogProcedure>();
    case WindowClass::ToolTip: return std::make_unique<ToolTipControl>();
    case WindowClass::MenuPopup: return std::make_unique<MenuPopupProcedure>();
    default: return std::make_unique<StaticControl>();
    }
}

namespace {

struct ClassEntry {
    const char* name;
    WindowClass cls;
};
constexpr ClassEntry kClasses[] = {
    {"Edit", WindowClass::Edit},     {"Button", WindowClass::Button},         {"Static", WindowClass::Static},
    {"#32770", WindowClass::Dialog}, {TOOLTIPS_CLASSA, WindowClass::ToolTip}, {"#32768", WindowClass::MenuPopup},
};

}  // namespace

const char* WindowClassName(WindowClass cls) {
    for (const ClassEntry& entry : kClasses)
        if (entry.cls == cls) return entry.name;
    return "";
}

bool WindowClassByName(LPCSTR name, WindowClass& cls) {
    if (name == nullptr || IS_INTRESOURCE(name)) return false;
    for (const ClassEntry& entry : kClasses) {
        // Class names are matched without regard to case.
        if (::strcasecmp(entry.name, name) == 0) {
            cls = entry.cls;
            return true;
        }
    }
    return false;
}

BOOL WINAPI InitCommonControlsEx(const INITCOMMONCONTROLSEX* init) { return init != nullptr ? TRUE : FALSE; }

LRESULT CALLBACK StandardWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return hWnd->procedure ? hWnd->procedure->Handle(hWnd, message, wParam, lParam) : DefWindowProcA(hWnd, message, wParam, lParam);
}

HWND WINAPI CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width, int height, HWND parent,
                            HMENU menu, HINSTANCE, LPVOID) {
    WindowClass cls{};
    if (!WindowClassByName(className, cls)) return nullptr;
    if ((style & WS_CHILD) && !IsWindow(parent)) return nullptr;
    WindowManager& wm = WindowManager::Instance();
    HWND hWnd = wm.CreateWindowState(cls, ProcedureFor(cls));
    hWnd->style = style;
    hWnd->exStyle = exStyle;
    hWnd->text = windowName != nullptr ? windowName : "";
    if (style & WS_CHILD) hWnd->id = static_cast<int>(reinterpret_cast<UINT_PTR>(menu));
    const auto place = [](int v) { return v == CW_USEDEFAULT ? 0 : v; };
    hWnd->rect = {place(x), place(y), place(x) + place(width), place(y) + place(height)};
    wm.AddChild(parent, hWnd);
    wm.Send(hWnd, WM_CREATE, 0, 0);
    return hWnd;
}

int WINAPI GetClassNameA(HWND hWnd, LPSTR className, int maxCount) {
    if (!IsWindow(hWnd) || className == nullptr || maxCount <= 0) return 0;
    const std::string_view name = WindowClassName(hWnd->windowClass);
    const std::size_t n = std::min(name.size(), static_cast<std::size_t>(maxCount - 1));
    std::memcpy(className, name.data(), n);
    className[n] = '\0';
    return static_cast<int>(n);
}

BOOL WINAPI GetClassInfoA(HINSTANCE, LPCSTR className, WNDCLASSA* windowClass) {
    WindowClass cls{};
    if (windowClass == nullptr || !WindowClassByName(className, cls)) return FALSE;
    *windowClass = WNDCLASSA{};
    // Every standard class answers through its standard procedure, whatever a window's subclass does.
    windowClass->lpfnWndProc = &StandardWindowProc;
    windowClass->lpszClassName = WindowClassName(cls);
    return TRUE;
}

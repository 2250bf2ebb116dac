// What the window system keeps for one window: the part a handle refers to.
// Messages reach the attached class-library object first (when there is
// one) and its standard procedure after.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Win32Types.h"

class CWnd;

enum class WindowClass { Dialog, Edit, Static, Button, ToolTip };

// The built-in behaviour of a window class: what `Default()` reaches.
class StandardProcedure {
public:
    virtual ~StandardProcedure() = default;
    virtual LRESULT Handle(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) = 0;
};

struct WindowState {
    WindowClass windowClass = WindowClass::Static;
    int id = 0;
    DWORD style = 0;
    DWORD exStyle = 0;
    CRect rect;          // window rectangle: in the parent's client area, or on the screen for top-level windows
    CRect clientInset;   // frame thickness on each side (left, top, right, bottom)
    std::string text;
    HWND parent = nullptr;  // child windows: the parent; top-level windows: the owner
    std::vector<HWND> children;
    CWnd* wnd = nullptr;    // the object whose message map sees messages first
    std::unique_ptr<CWnd> handleWrapper;  // a plain object for `FromHandle` on windows nobody attached
    std::unique_ptr<StandardProcedure> procedure;
    HFONT font = nullptr;
    HICON bigIcon = nullptr;
    HICON smallIcon = nullptr;
    HMENU systemMenu = nullptr;
    int templateId = 0;
    bool minimized = false;

    bool IsVisible() const { return (style & WS_VISIBLE) != 0; }
    bool IsEnabled() const { return (style & WS_DISABLED) == 0; }
    bool IsChild() const { return (style & WS_CHILD) != 0; }
};

// What the window system keeps for one window: the part a handle refers to.
// Messages reach the window's procedure: its class's standard one, unless
// someone subclassed the window and put theirs in front.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Geometry.h"

enum class WindowClass { Dialog, Edit, Static, Button, ToolTip, MenuPopup };

// The built-in behaviour of a window class, with the state it keeps per window.
class StandardProcedure {
public:
    virtual ~StandardProcedure() = default;
    virtual LRESULT Handle(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) = 0;
};

struct HWND__ {
    WindowClass windowClass = WindowClass::Static;
    int id = 0;
    DWORD style = 0;
    DWORD exStyle = 0;
    Rect rect;         // window rectangle: in the parent's client area, or on the screen for top-level windows
    Rect clientInset;  // frame thickness on each side (left, top, right, bottom)
    std::string text;
    HWND parent = nullptr;  // child windows: the parent; top-level windows: the owner
    std::vector<HWND> children;
    WNDPROC wndProc = nullptr;  // what messages reach first
    std::unique_ptr<StandardProcedure> procedure;
    LONG_PTR userData = 0;
    // Dialogs: the program's dialog procedure, its answer slot, and how the dialog ended.
    DLGPROC dialogProc = nullptr;
    LRESULT msgResult = 0;
    bool dialogEnded = false;
    INT_PTR dialogResult = 0;
    HFONT font = nullptr;
    HICON bigIcon = nullptr;
    HICON smallIcon = nullptr;
    HMENU systemMenu = nullptr;
    bool minimized = false;
    bool messageBox = false;  // a dialog the platform made for MessageBox

    bool IsVisible() const { return (style & WS_VISIBLE) != 0; }
    bool IsEnabled() const { return (style & WS_DISABLED) == 0; }
    bool IsChild() const { return (style & WS_CHILD) != 0; }
};
using WindowState = HWND__;

// The procedure every window starts with: its class's standard behaviour.
LRESULT CALLBACK StandardWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

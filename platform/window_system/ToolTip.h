// Tooltips: a window that holds tools (a window, an id, a rectangle and a
// text), learns of the mouse through relayed messages, and shows the text
// after the pointer has rested over a tool for a while.
#pragma once

#include <string>
#include <vector>

#include "WindowState.h"

struct ToolInfo {
    HWND window;
    UINT id;
    Rect rect;  // in the tool window's client coordinates
    std::string text;
};

class ToolTipControl : public StandardProcedure {
public:
    static constexpr DWORD kInitialDelayMs = 500;
    LRESULT Handle(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) override;
    // Shows the tip once the pointer has rested long enough; called by back ends that keep time.
    void Update(HWND hWnd, DWORD now);
    // Milliseconds until the tip would show on its own, or -1 when nothing is pending.
    int MsUntilShown(DWORD now) const;

    std::vector<ToolInfo> tools;
    const ToolInfo* hovered = nullptr;
    DWORD hoverSince = 0;
    bool visible = false;
    Point anchor;  // screen point the tip is shown below
};

ToolTipControl* ToolTipControlOf(HWND hWnd);
// The text of the tool registered for `hWnd`, if any tooltip holds one.
const ToolInfo* FindTool(HWND hWnd);
// Every tooltip window, for back ends that draw them.
std::vector<HWND> ToolTipWindows();
// Brings every tooltip up to date, and gives the milliseconds until one of them
// would change on its own (-1: none will), so a back end can sleep until then.
int UpdateToolTips(DWORD now);

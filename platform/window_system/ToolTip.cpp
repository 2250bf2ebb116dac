#include "ToolTip.h"

#include <cstring>

#include <chrono>

#include <commctrl.h>

#include "DefaultProcedure.h"
#include "WindowManager.h"

DWORD WINAPI GetTickCount() {
    using namespace std::chrono;
    return static_cast<DWORD>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

ToolTipControl* ToolTipControlOf(HWND hWnd) {
    if (!IsWindow(hWnd) || hWnd->windowClass != WindowClass::ToolTip) return nullptr;
    return dynamic_cast<ToolTipControl*>(hWnd->procedure.get());
}

std::vector<HWND> ToolTipWindows() {
    std::vector<HWND> tips;
    for (HWND top : WindowManager::Instance().TopLevelWindows())
        if (top->windowClass == WindowClass::ToolTip) tips.push_back(top);
    return tips;
}

const ToolInfo* FindTool(HWND hWnd) {
    for (HWND tip : ToolTipWindows())
        for (const ToolInfo& tool : ToolTipControlOf(tip)->tools)
            if (tool.window == hWnd) return &tool;
    return nullptr;
}

LRESULT ToolTipControl::Handle(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowManager& wm = WindowManager::Instance();
    switch (message) {
    case TTM_ADDTOOLA: {
        const auto* info = reinterpret_cast<const TOOLINFOA*>(lParam);
        if (info == nullptr) return FALSE;
        tools.push_back({info->hwnd, static_cast<UINT>(info->uId), Rect(info->rect),
                         info->lpszText != nullptr && !IS_INTRESOURCE(info->lpszText) ? info->lpszText : ""});
        hovered = nullptr;
        return TRUE;
    }
    case TTM_NEWTOOLRECTA: {
        const auto* info = reinterpret_cast<const TOOLINFOA*>(lParam);
        if (info == nullptr) return 0;
        for (ToolInfo& tool : tools)
            if (tool.window == info->hwnd && tool.id == static_cast<UINT>(info->uId)) tool.rect = Rect(info->rect);
        return 0;
    }
    case TTM_GETTOOLCOUNT: return static_cast<LRESULT>(tools.size());
    case TTM_ENUMTOOLSA: {
        auto* info = reinterpret_cast<TOOLINFOA*>(lParam);
        if (info == nullptr || wParam >= tools.size()) return FALSE;
        const ToolInfo& tool = tools[wParam];
        info->hwnd = tool.window;
        info->uId = tool.id;
        info->rect = tool.rect;
        // The caller's buffer holds the text, as it would for any tooltip.
        if (info->lpszText != nullptr) std::memcpy(info->lpszText, tool.text.c_str(), tool.text.size() + 1);
        return TRUE;
    }
    case TTM_RELAYEVENT: {
        const auto* msg = reinterpret_cast<const MSG*>(lParam);
        if (msg == nullptr) return 0;
        const bool button = msg->message == WM_LBUTTONDOWN || msg->message == WM_RBUTTONDOWN || msg->message == WM_LBUTTONDBLCLK;
        if (button) {
            // A click hides the tip until the pointer comes to rest over a tool again.
            visible = false;
            hovered = nullptr;
            wm.Invalidate(hWnd);
            return 0;
        }
        if (msg->message != WM_MOUSEMOVE) return 0;
        const Point p{static_cast<short>(LOWORD(msg->lParam)), static_cast<short>(HIWORD(msg->lParam))};
        const ToolInfo* over = nullptr;
        for (const ToolInfo& tool : tools)
            if (tool.window == msg->hwnd && tool.rect.PtInRect(p)) over = &tool;
        if (over != hovered) {
            hovered = over;
            hoverSince = GetTickCount();
            visible = false;
            if (over != nullptr) {
                const Point origin = wm.ClientOrigin(msg->hwnd);
                anchor = {origin.x + p.x, origin.y + p.y};
            }
            wm.Invalidate(hWnd);
        }
        return 0;
    }
    default: return DefWindowProcA(hWnd, message, wParam, lParam);
    }
}

void ToolTipControl::Update(HWND hWnd, DWORD now) {
    // The tip belongs to the window under the pointer; once the window is gone, or the
    // pointer has left the tool for another control (which relays nothing here), so is the tip.
    if (hovered != nullptr && !IsWindow(hovered->window)) hovered = nullptr;
    if (hovered != nullptr) {
        Rect tool = hovered->rect;
        const Point origin = WindowManager::Instance().ClientOrigin(hovered->window);
        tool.OffsetRect(origin.x, origin.y);
        if (!tool.PtInRect(WindowManager::Instance().CursorPos())) hovered = nullptr;
    }
    const bool show = hovered != nullptr && now - hoverSince >= kInitialDelayMs;
    if (show == visible) return;
    visible = show;
    WindowManager::Instance().Invalidate(hWnd);
}

int ToolTipControl::MsUntilShown(DWORD now) const {
    if (hovered == nullptr || visible) return -1;
    const DWORD waited = now - hoverSince;
    return waited >= kInitialDelayMs ? 0 : static_cast<int>(kInitialDelayMs - waited);
}

int UpdateToolTips(DWORD now) {
    int wait = -1;
    for (HWND tip : ToolTipWindows()) {
        ToolTipControl* control = ToolTipControlOf(tip);
        control->Update(tip, now);
        const int ms = control->MsUntilShown(now);
        if (ms >= 0 && (wait < 0 || ms < wait)) wait = ms;
    }
    return wait;
}

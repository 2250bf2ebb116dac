#include "WindowManager.h"

#include <algorithm>

#include "CWinApp.h"
#include "CWnd.h"

WindowManager& WindowManager::Instance() {
    static WindowManager instance;
    return instance;
}

const TextMetrics& WindowManager::Metrics() const { return m_backend->Metrics(); }

HWND WindowManager::CreateWindowState(WindowClass cls, std::unique_ptr<StandardProcedure> procedure) {
    auto state = std::make_unique<WindowState>();
    state->windowClass = cls;
    state->procedure = std::move(procedure);
    HWND hWnd = state.get();
    m_storage.push_back(std::move(state));
    m_windows.insert(hWnd);
    return hWnd;
}

void WindowManager::AddChild(HWND parent, HWND child) {
    child->parent = parent;
    if (child->IsChild()) {
        parent->children.push_back(child);
    } else {
        m_topLevel.push_back(child);
    }
}

void WindowManager::Destroy(HWND hWnd) {
    if (!IsWindow(hWnd)) return;
    Send(hWnd, WM_DESTROY, 0, 0);
    const std::vector<HWND> children = hWnd->children;
    for (HWND child : children) Destroy(child);
    // Windows it owns go with it, as tooltips go with their badge.
    const std::vector<HWND> tops = m_topLevel;
    for (HWND top : tops)
        if (IsWindow(top) && top->parent == hWnd) Destroy(top);
    Send(hWnd, WM_NCDESTROY, 0, 0);
    if (m_focus == hWnd) m_focus = nullptr;
    if (m_capture == hWnd) m_capture = nullptr;
    if (m_caret.owner == hWnd) m_caret = Caret{};
    if (m_lockout == hWnd) m_lockout = nullptr;
    if (hWnd->parent != nullptr && IsWindow(hWnd->parent)) std::erase(hWnd->parent->children, hWnd);
    std::erase(m_topLevel, hWnd);
    std::erase(m_modal, hWnd);
    std::erase_if(m_queue, [hWnd](const QueuedMessage& m) { return m.hWnd == hWnd; });
    if (hWnd->wnd != nullptr) {
        CWnd* wnd = hWnd->wnd;
        wnd->m_hWnd = nullptr;
        // When the main window goes, the application is told to quit.
        if (CWinApp* app = AfxGetApp(); app != nullptr && app->m_pMainWnd == wnd) {
            app->m_pMainWnd = nullptr;
            PostQuit();
        }
        wnd->PostNcDestroy();
    }
    m_windows.erase(hWnd);
    std::erase_if(m_storage, [hWnd](const std::unique_ptr<WindowState>& s) { return s.get() == hWnd; });
}

LRESULT WindowManager::Send(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!IsWindow(hWnd)) return 0;
    if (hWnd->wnd != nullptr) {
        CWnd* wnd = hWnd->wnd;
        const QueuedMessage old = SetCurrentMessage({hWnd, message, wParam, lParam});
        const LRESULT result = wnd->WindowProc(message, wParam, lParam);
        SetCurrentMessage(old);
        return result;
    }
    return hWnd->procedure ? hWnd->procedure->Handle(hWnd, message, wParam, lParam) : 0;
}

void WindowManager::Post(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    m_queue.push_back({hWnd, message, wParam, lParam});
}

bool WindowManager::DispatchOnePosted() {
    if (m_queue.empty()) return false;
    const QueuedMessage m = m_queue.front();
    m_queue.pop_front();
    if (IsWindow(m.hWnd)) Send(m.hWnd, m.message, m.wParam, m.lParam);
    return true;
}

void WindowManager::DrainPosted() {
    while (DispatchOnePosted()) {
    }
}

HWND WindowManager::SetFocus(HWND hWnd) {
    HWND old = m_focus;
    if (hWnd == old) return old;
    m_focus = hWnd;
    if (IsWindow(old)) Send(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hWnd), 0);
    if (IsWindow(hWnd) && m_focus == hWnd) Send(hWnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
    return old;
}

void WindowManager::Invalidate(HWND hWnd) {
    if (m_backend != nullptr) m_backend->Invalidate(hWnd);
}

CRect WindowManager::ScreenRect(HWND hWnd) const {
    CRect r = hWnd->rect;
    if (hWnd->IsChild() && hWnd->parent != nullptr) {
        const CPoint origin = ClientOrigin(hWnd->parent);
        r.OffsetRect(origin.x, origin.y);
    }
    return r;
}

CPoint WindowManager::ClientOrigin(HWND hWnd) const {
    const CRect r = ScreenRect(hWnd);
    return {r.left + hWnd->clientInset.left, r.top + hWnd->clientInset.top};
}

CRect WindowManager::ClientRect(HWND hWnd) const {
    const CRect& inset = hWnd->clientInset;
    return {0, 0, std::max(0, hWnd->rect.Width() - inset.left - inset.right),
            std::max(0, hWnd->rect.Height() - inset.top - inset.bottom)};
}

void WindowManager::Reset() {
    while (!m_topLevel.empty()) Destroy(m_topLevel.back());
    m_storage.clear();
    m_windows.clear();
    m_queue.clear();
    m_quitPosted = false;
    m_focus = m_capture = m_lockout = nullptr;
    m_caret = Caret{};
    m_cursorPos = {-1, -1};
    m_keys = {};
    m_modal.clear();
}

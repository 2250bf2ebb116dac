#include "WindowManager.h"

#include <algorithm>

WindowManager WindowManager::s_instance;

const TextMetrics& WindowManager::Metrics() const { return m_backend->Metrics(); }

HWND WindowManager::CreateWindowState(WindowClass cls, std::unique_ptr<StandardProcedure> procedure) {
    auto state = std::make_unique<WindowState>();
    state->windowClass = cls;
    state->procedure = std::move(procedure);
    state->wndProc = &StandardWindowProc;
    HWND hWnd = state.get();
    m_storage.push_back(std::move(state));
    m_windows.insert(hWnd);
    return hWnd;
}

void WindowManager::AddChild(HWND parent, HWND child) {
    child->parent = parent;
    ChildIdChanged();
    if (child->IsChild()) {
        parent->children.push_back(child);
    } else {
        m_topLevel.push_back(child);
    }
}

HWND WindowManager::ChildById(HWND parent, int id) {
    if (parent != m_indexedParent || m_indexedGeneration != m_childGeneration) {
        m_childrenById.clear();
        for (HWND child : parent->children) m_childrenById.emplace_back(child->id, child);
        // Stable, so that of children sharing an id the first stays first.
        std::stable_sort(m_childrenById.begin(), m_childrenById.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        m_indexedParent = parent;
        m_indexedGeneration = m_childGeneration;
    }
    const auto at =
        std::lower_bound(m_childrenById.begin(), m_childrenById.end(), id, [](const auto& entry, int value) { return entry.first < value; });
    return at != m_childrenById.end() && at->first == id ? at->second : nullptr;
}

std::vector<HWND> WindowManager::Dialogs() const {
    std::vector<HWND> dialogs;
    for (HWND top : m_topLevel)
        if (top->windowClass == WindowClass::Dialog) dialogs.push_back(top);
    return dialogs;
}

HWND WindowManager::ActiveDialog() const {
    for (auto it = m_topLevel.rbegin(); it != m_topLevel.rend(); ++it)
        if ((*it)->windowClass == WindowClass::Dialog) return *it;
    return nullptr;
}

void WindowManager::Destroy(HWND hWnd) {
    if (!IsWindow(hWnd)) return;
    // What it covered shows again.
    if (hWnd->IsVisible()) Invalidate(hWnd);
    Send(hWnd, WM_DESTROY, 0, 0);
    const std::vector<HWND> children = hWnd->children;
    for (HWND child : children) Destroy(child);
    // Windows it owns go with it, as tooltips go with their badge.
    const std::vector<HWND> tops = m_topLevel;
    for (HWND top : tops)
        if (IsWindow(top) && top->parent == hWnd) Destroy(top);
    Send(hWnd, WM_NCDESTROY, 0, 0);
    // Its system menu is its own and goes with it.
    if (hWnd->systemMenu != nullptr) DestroyMenu(hWnd->systemMenu);
    if (m_focus == hWnd) m_focus = nullptr;
    if (m_capture == hWnd) m_capture = nullptr;
    if (m_caret.owner == hWnd) m_caret = Caret{};
    if (hWnd->parent != nullptr && IsWindow(hWnd->parent)) std::erase(hWnd->parent->children, hWnd);
    std::erase(m_topLevel, hWnd);
    m_closedAtInputEnd.erase(hWnd);
    std::erase_if(m_posted, [hWnd](const QueuedMessage& m) { return m.msg.hwnd == hWnd; });
    std::erase_if(m_input, [hWnd](const QueuedMessage& m) { return m.msg.hwnd == hWnd; });
    m_windows.erase(hWnd);
    ChildIdChanged();
    std::erase_if(m_storage, [hWnd](const std::unique_ptr<WindowState>& s) { return s.get() == hWnd; });
}

LRESULT WindowManager::Send(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!IsWindow(hWnd) || hWnd->wndProc == nullptr) return 0;
    return hWnd->wndProc(hWnd, message, wParam, lParam);
}

void WindowManager::Post(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    m_posted.push_back({MSG{hWnd, message, wParam, lParam, 0, m_cursorPos}, 0, {}});
}

void WindowManager::PostInput(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT translatedChar) {
    m_input.push_back({MSG{hWnd, message, wParam, lParam, 0, m_cursorPos}, translatedChar, m_keys});
}

void WindowManager::PostQuit(int exitCode) {
    m_quitPosted = true;
    m_quitCode = exitCode;
}

bool WindowManager::Peek(MSG* msg, bool remove) {
    if (!m_posted.empty()) {
        *msg = m_posted.front().msg;
        if (remove) m_posted.pop_front();
        return true;
    }
    if (!m_input.empty()) {
        *msg = m_input.front().msg;
        if (remove) {
            m_pendingChar = m_input.front().translatedChar;
            m_inputKeys = m_input.front().keys;
            m_handlingInput = true;
            m_input.pop_front();
        }
        return true;
    }
    // The queue is empty: key state is the present one again.
    m_handlingInput = false;
    if (m_quitPosted) {
        *msg = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(m_quitCode), 0, 0, m_cursorPos};
        if (remove) m_quitPosted = false;
        return true;
    }
    return false;
}

bool WindowManager::Get(MSG* msg) {
    for (;;) {
        if (Peek(msg, true)) return msg->message != WM_QUIT;
        if (PumpInput()) continue;
        // Input has ended: each dialog in turn is closed as its close box would
        // close it; one that stays open after that ends the program.
        HWND active = ActiveDialog();
        if (active != nullptr && m_closedAtInputEnd.insert(active).second) {
            Send(active, WM_SYSCOMMAND, SC_CLOSE, 0);
            continue;
        }
        *msg = MSG{nullptr, WM_QUIT, 0, 0, 0, m_cursorPos};
        return false;
    }
}

bool WindowManager::PumpInput() {
    if (m_inputEnded) return false;
    if (m_backend == nullptr || !m_backend->PumpInput()) m_inputEnded = true;
    return !m_inputEnded;
}

bool WindowManager::Translate(const MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
    const UINT ch = m_pendingChar;
    m_pendingChar = 0;
    if (ch == 0) return false;
    Post(msg.hwnd, msg.message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR, ch, msg.lParam);
    return true;
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

Rect WindowManager::ScreenRect(HWND hWnd) const {
    Rect r = hWnd->rect;
    if (hWnd->IsChild() && hWnd->parent != nullptr) {
        const Point origin = ClientOrigin(hWnd->parent);
        r.OffsetRect(origin.x, origin.y);
    }
    return r;
}

Point WindowManager::ClientOrigin(HWND hWnd) const {
    const Rect r = ScreenRect(hWnd);
    return {r.left + hWnd->clientInset.left, r.top + hWnd->clientInset.top};
}

Rect WindowManager::ClientRect(HWND hWnd) const {
    const Rect& inset = hWnd->clientInset;
    return {0, 0, std::max(0, hWnd->rect.Width() - inset.left - inset.right), std::max(0, hWnd->rect.Height() - inset.top - inset.bottom)};
}

void WindowManager::Reset() {
    while (!m_topLevel.empty()) Destroy(m_topLevel.back());
    m_storage.clear();
    m_windows.clear();
    m_indexedParent = nullptr;
    m_posted.clear();
    m_input.clear();
    m_quitPosted = false;
    m_quitCode = 0;
    m_foreground = true;
    m_altAlone = false;
    m_inputEnded = false;
    m_closedAtInputEnd.clear();
    m_pendingChar = 0;
    m_handlingInput = false;
    m_focus = m_capture = nullptr;
    m_caret = Caret{};
    m_cursorPos = {-1, -1};
    m_keys.reset();
    m_inputKeys.reset();
    m_remembered = {};
    m_clipboard = {};
    m_cursor = nullptr;
}

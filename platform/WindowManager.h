// The window system of this platform: owns every window, delivers sent and
// posted messages, and keeps focus, mouse capture, caret and key state.
#pragma once

#include <array>
#include <deque>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "Backend.h"
#include "WindowState.h"

struct QueuedMessage {
    HWND hWnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

struct Caret {
    HWND owner = nullptr;
    CPoint pos;
    int width = 1;
    int height = 0;
    int hideCount = 1;
};

class WindowManager {
public:
    static WindowManager& Instance();

    void SetBackend(Backend* backend) { m_backend = backend; }
    Backend* GetBackend() const { return m_backend; }
    const TextMetrics& Metrics() const;

    HWND CreateWindowState(WindowClass cls, std::unique_ptr<StandardProcedure> procedure);
    void AddChild(HWND parent, HWND child);
    void Destroy(HWND hWnd);
    bool IsWindow(HWND hWnd) const { return hWnd != nullptr && m_windows.count(hWnd) != 0; }
    std::vector<HWND> TopLevelWindows() const { return m_topLevel; }

    LRESULT Send(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    void Post(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    // Delivers one posted message; false when the queue is empty.
    bool DispatchOnePosted();
    void DrainPosted();
    void PostQuit() { m_quitPosted = true; }
    const QueuedMessage& CurrentMessage() const { return m_current; }
    // Marks the message a class-library object is handling, for `Default()`.
    QueuedMessage SetCurrentMessage(const QueuedMessage& m) {
        QueuedMessage old = m_current;
        m_current = m;
        return old;
    }

    HWND Focus() const { return m_focus; }
    HWND SetFocus(HWND hWnd);
    HWND Capture() const { return m_capture; }
    void SetCapture(HWND hWnd) { m_capture = hWnd; }
    void ReleaseCapture() { m_capture = nullptr; }

    Caret& GetCaret() { return m_caret; }
    // Where the mouse pointer last was, on the screen.
    CPoint CursorPos() const { return m_cursorPos; }
    void SetCursorPos(CPoint pos) { m_cursorPos = pos; }
    void SetKeyDown(UINT vk, bool down) { m_keys[vk & 0xFF] = down; }
    bool IsKeyDown(UINT vk) const { return m_keys[vk & 0xFF]; }

    // While an exchange runs on a dialog, its controls' notifications are dropped.
    HWND LockoutNotifyWindow() const { return m_lockout; }
    HWND SetLockoutNotifyWindow(HWND hWnd) {
        HWND old = m_lockout;
        m_lockout = hWnd;
        return old;
    }

    // Dialogs running modally, bottom first.
    std::vector<HWND>& ModalStack() { return m_modal; }
    HWND ActiveDialog() const { return m_modal.empty() ? nullptr : m_modal.back(); }

    void Invalidate(HWND hWnd);
    // Window rectangle on the screen.
    CRect ScreenRect(HWND hWnd) const;
    CRect ClientRect(HWND hWnd) const;
    CPoint ClientOrigin(HWND hWnd) const;

    // Forgets every window and message; used between program runs in one process.
    void Reset();

private:
    WindowManager() = default;

    Backend* m_backend = nullptr;
    std::set<HWND> m_windows;
    std::vector<std::unique_ptr<WindowState>> m_storage;
    std::vector<HWND> m_topLevel;
    std::deque<QueuedMessage> m_queue;
    QueuedMessage m_current{};
    bool m_quitPosted = false;
    HWND m_focus = nullptr;
    HWND m_capture = nullptr;
    HWND m_lockout = nullptr;
    Caret m_caret;
    CPoint m_cursorPos{-1, -1};
    std::array<bool, 256> m_keys{};
    std::vector<HWND> m_modal;
};

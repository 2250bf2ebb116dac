// The window system of this platform: owns every window, keeps the message
// queue (posted messages before input, as the platform orders them), and
// keeps focus, mouse capture, caret and key state.
#pragma once

#include <algorithm>
#include <bitset>
#include <functional>
#include <deque>
#include <memory>
#include <set>
#include <string>
#include <unordered_set>
#include <vector>

#include "Backend.h"
#include "Clipboard.h"
#include "WindowState.h"

struct QueuedMessage {
    MSG msg{};
    // Input: the character translating this key press gives, and the keys held when it came.
    UINT translatedChar = 0;
    std::bitset<256> keys;
};

// What input routing remembers from one action to the next.
struct InputMemory {
    bool leftDown = false;
    // The last press, which the next one may make a double click.
    bool clicked = false;
    DWORD clickTime = 0;
    Point clickAt;
    HWND clickWindow = nullptr;
    // The window the last left press went to, which a double click must press again.
    HWND pressWindow = nullptr;
    // A UTF-16 high surrogate waiting for its low half.
    WORD pendingHighSurrogate = 0;
};

struct Caret {
    HWND owner = nullptr;
    Point pos;
    int width = 1;
    int height = 0;
    int hideCount = 1;
};

class WindowManager {
public:
    // Every API call starts here, so the one instance is a plain object rather than a lazily made one.
    static WindowManager& Instance() { return s_instance; }

    void SetBackend(Backend* backend) { m_backend = backend; }
    Backend* GetBackend() const { return m_backend; }
    const TextMetrics& Metrics() const;

    HWND CreateWindowState(WindowClass cls, std::unique_ptr<StandardProcedure> procedure);
    void AddChild(HWND parent, HWND child);
    void Destroy(HWND hWnd);
    // The first child of `parent` with the id, as GetDlgItem answers.
    HWND ChildById(HWND parent, int id);
    // A child's id changed, so the index of ids has to be made again.
    void ChildIdChanged() { ++m_childGeneration; }
    bool IsWindow(HWND hWnd) const { return hWnd != nullptr && m_windows.contains(hWnd); }
    std::vector<HWND> TopLevelWindows() const { return m_topLevel; }
    // Top-level dialogs, oldest first; the newest is the one that takes input.
    std::vector<HWND> Dialogs() const;
    HWND ActiveDialog() const;

    LRESULT Send(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    void Post(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    // Queues a user's key or mouse action for the window that takes it.
    void PostInput(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT translatedChar = 0);
    void PostQuit(int exitCode);
    // The next message, posted ones before input; false when there is none.
    bool Peek(MSG* msg, bool remove);
    // Waits for the next message, asking the back end for input; false for the quit message.
    bool Get(MSG* msg);
    // Makes the character message of the key press last taken from the queue.
    bool Translate(const MSG& msg);
    // Asks the back end for the next piece of input; false once input has ended.
    bool PumpInput();

    // Whether the desktop gives the program's windows the keyboard: where it
    // does not, a dialog is not active and no control holds the focus for a
    // screen reader, though each keeps what it will have when the keyboard comes back.
    bool Foreground() const { return m_foreground; }
    void SetForeground(bool foreground) { m_foreground = foreground; }

    HWND Focus() const { return m_focus; }
    HWND SetFocus(HWND hWnd);
    HWND Capture() const { return m_capture; }
    void SetCapture(HWND hWnd) { m_capture = hWnd; }
    void ReleaseCapture() { m_capture = nullptr; }

    Caret& GetCaret() { return m_caret; }
    // Where the mouse pointer last was, on the screen.
    Point CursorPos() const { return m_cursorPos; }
    void SetCursorPos(Point pos) { m_cursorPos = pos; }
    // The keys as the user holds them now.
    void SetKeyDown(UINT vk, bool down) { m_keys[vk & 0xFF] = down; }
    // Alt is held and nothing else was pressed since it went down.
    bool AltAlone() const { return m_altAlone; }
    void SetAltAlone(bool alone) { m_altAlone = alone; }
    // The keys as they were when the input being handled came; the present ones between inputs.
    bool IsKeyDown(UINT vk) const { return m_handlingInput ? m_inputKeys[vk & 0xFF] : m_keys[vk & 0xFF]; }

    void Invalidate(HWND hWnd);
    // Window rectangle on the screen.
    Rect ScreenRect(HWND hWnd) const;
    Rect ClientRect(HWND hWnd) const;
    Point ClientOrigin(HWND hWnd) const;

    InputMemory& Remembered() { return m_remembered; }
    ClipboardStore& Clipboard() { return m_clipboard; }
    HCURSOR Cursor() const { return m_cursor; }
    void SetCursor(HCURSOR cursor) { m_cursor = cursor; }

    // Forgets every window, message and piece of input state; used between
    // program runs in one process. Everything a run can change lives here, so
    // that nothing of one run is seen by the next.
    void Reset();

private:
    WindowManager() = default;
    static WindowManager s_instance;

    Backend* m_backend = nullptr;
    std::unordered_set<HWND> m_windows;  // every message asks whether its window exists
    std::vector<std::unique_ptr<WindowState>> m_storage;
    // A data exchange looks up every field by id on every change: one
    // parent's children are kept sorted by id, and made again when a child
    // comes, goes or takes another id.
    unsigned m_childGeneration = 0;
    unsigned m_indexedGeneration = ~0u;
    HWND m_indexedParent = nullptr;
    std::vector<std::pair<int, HWND>> m_childrenById;
    std::vector<HWND> m_topLevel;
    bool m_foreground = true;
    bool m_altAlone = false;
    std::deque<QueuedMessage> m_posted;
    std::deque<QueuedMessage> m_input;
    bool m_quitPosted = false;
    int m_quitCode = 0;
    bool m_inputEnded = false;
    std::set<HWND> m_closedAtInputEnd;
    UINT m_pendingChar = 0;
    bool m_handlingInput = false;
    std::bitset<256> m_inputKeys;
    HWND m_focus = nullptr;
    HWND m_capture = nullptr;
    Caret m_caret;
    Point m_cursorPos{-1, -1};
    std::bitset<256> m_keys;
    InputMemory m_remembered;
    ClipboardStore m_clipboard;
    HCURSOR m_cursor = nullptr;
};

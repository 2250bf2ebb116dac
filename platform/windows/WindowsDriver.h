// The driver on the real platform: the protocol of `dotwise --platform
// headless`, driving the program's real windows. Commands arrive from a
// thread that reads standard input and run on the program's own thread,
// inside whatever modal loop is running, one input event at a time once the
// queue has gone quiet. Message boxes are answered with OK and reported.
#pragma once

#include <windows.h>

#include <deque>
#include <mutex>
#include <string>

#include "../headless/DriverScript.h"

class WindowsDriver : public DriverScript {
public:
    WindowsDriver();
    ~WindowsDriver() override;
    // Starts reading standard input; false when the driver's window or hooks cannot be made.
    bool Start();

private:
    void AddInputCommands();
    void AddReadingCommands();
    void AddWritingCommands();
    void QueueKeyPress(UINT vk, UINT ch, bool shift, bool ctrl, bool alt);
    void QueueClick(HWND hWnd, int index, bool right, bool twice);
    void Step();
    void PostStep();
    bool ProgramHasWork() const;
    bool TakeLine(std::string& line);
    void EndOfInput();

    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK CbtHook(int code, WPARAM wParam, LPARAM lParam);
    static void ReadInput(WindowsDriver* driver);

    HWND m_window = nullptr;
    HHOOK m_cbtHook = nullptr;
    bool m_stepPosted = false;
    int m_deferrals = 0;
    std::mutex m_mutex;
    std::deque<std::string> m_lines;
    bool m_inputEnded = false;
    std::deque<HWND> m_closedAtEnd;
};

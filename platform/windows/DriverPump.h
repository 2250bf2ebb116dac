// Feeds the driver on Windows: a thread reads standard input, and the lines
// run on the program's own thread, inside whatever modal loop is running,
// one input event at a time once the program's queue has gone quiet.
#pragma once

#include <windows.h>

#include <deque>
#include <mutex>
#include <string>

#include "../driver/Driver.h"

class DriverPump {
public:
    explicit DriverPump(Driver& driver) : m_driver(driver) {}
    // Starts reading standard input; false when the pump's window or the driver's hook cannot be made.
    bool Start();

private:
    void Step();
    void PostStep();
    bool ProgramHasWork() const;
    bool TakeLine(std::string& line);
    void EndOfInput();

    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    static void ReadInput(DriverPump* pump);

    Driver& m_driver;
    HWND m_window = nullptr;
    bool m_stepPosted = false;
    int m_deferrals = 0;
    std::mutex m_mutex;
    std::deque<std::string> m_lines;
    bool m_inputEnded = false;
};

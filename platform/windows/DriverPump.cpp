#include "DriverPump.h"

#include <fcntl.h>
#include <io.h>

#include <iostream>
#include <thread>

namespace {

constexpr UINT kLineArrived = WM_APP + 0x200;
constexpr UINT kStep = WM_APP + 0x201;
constexpr UINT_PTR kQuietTimer = 1;
constexpr const char* kClassName = "DotwiseDriver";
DriverPump* g_pump = nullptr;

}  // namespace

bool DriverPump::Start() {
    // Answers are lines of their own: no "\r" before each "\n". Commands are read
    // as bytes: in text mode a 0x1A byte (Ctrl+Z) would end the input there.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stdin), _O_BINARY);
    g_pump = this;
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &WindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kClassName;
    RegisterClassA(&windowClass);
    m_window = CreateWindowExA(0, kClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (m_window == nullptr || !m_driver.Start()) return false;
    std::thread(&ReadInput, this).detach();
    return true;
}

void DriverPump::ReadInput(DriverPump* pump) {
    std::string line;
    while (std::getline(std::cin, line)) {
        {
            std::lock_guard<std::mutex> lock(pump->m_mutex);
            pump->m_lines.push_back(line);
        }
        PostMessageA(pump->m_window, kLineArrived, 0, 0);
    }
    {
        std::lock_guard<std::mutex> lock(pump->m_mutex);
        pump->m_inputEnded = true;
    }
    PostMessageA(pump->m_window, kLineArrived, 0, 0);
}

bool DriverPump::TakeLine(std::string& line) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_lines.empty()) return false;
    line = std::move(m_lines.front());
    m_lines.pop_front();
    return true;
}

LRESULT CALLBACK DriverPump::WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const bool quiet = message == WM_TIMER && wParam == kQuietTimer;
    if ((message == kLineArrived || message == kStep || quiet) && g_pump != nullptr) {
        if (message == kStep) g_pump->m_stepPosted = false;
        if (quiet) KillTimer(hWnd, kQuietTimer);
        g_pump->Step();
        return 0;
    }
    return DefWindowProcA(hWnd, message, wParam, lParam);
}

void DriverPump::PostStep() {
    if (m_stepPosted) return;
    m_stepPosted = true;
    PostMessageA(m_window, kStep, 0, 0);
}

// Whether the program has posted messages or input waiting, the pump's own aside.
bool DriverPump::ProgramHasWork() const {
    MSG msg{};
    constexpr UINT flags = PM_NOREMOVE | PM_QS_INPUT | PM_QS_POSTMESSAGE;
    return PeekMessageA(&msg, nullptr, 0, kLineArrived - 1, flags) || PeekMessageA(&msg, nullptr, kStep + 1, 0xFFFFFFFF, flags);
}

void DriverPump::Step() {
    // One event at a time, each once the program has done with the last: as a
    // user's actions come. Posted messages come before input, so the driver
    // waits for a timer, which comes only once both are done. A queue that
    // never empties does not hold the driver up for ever.
    if (ProgramHasWork() && ++m_deferrals < 1000) {
        SetTimer(m_window, kQuietTimer, USER_TIMER_MINIMUM, nullptr);
        return;
    }
    m_deferrals = 0;
    if (m_driver.RunNextEvent()) {
        PostStep();
        return;
    }
    m_driver.FlushAnswer();
    if (m_driver.OutputFailed()) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_inputEnded = true;
        m_lines.clear();
    }
    std::string line;
    if (TakeLine(line)) {
        m_driver.Execute(line);
        PostStep();
        return;
    }
    bool ended = false;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        ended = m_inputEnded;
    }
    if (ended) EndOfInput();
}

// Input has ended: each dialog is closed once as its close box would close it;
// one that stays open ends with the program.
void DriverPump::EndOfInput() {
    if (m_driver.CloseOneAtEnd())
        PostStep();
    else
        PostQuitMessage(0);
}

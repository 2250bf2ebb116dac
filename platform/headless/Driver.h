// The automation interface: reads one command per line, turns user actions
// into queued input events that run inside whatever modal loop is running,
// and writes one answer per command once its input has run.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "../window_system/Geometry.h"

struct DriverError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class Driver {
public:
    using Args = std::vector<std::string>;
    using Command = std::function<std::string(const Args&)>;

    explicit Driver(std::ostream& out);

    // Parses and runs one command line; user actions are queued as events.
    void Execute(const std::string& line);
    // Runs the next queued event; false when there is none.
    bool RunNextEvent();
    // Writes the answer of the last command, if it has not been written.
    void FlushAnswer();
    void ReportMessageBox(const std::string& caption, const std::string& text);
    // Whether an answer could not be written: whoever reads them has gone.
    bool OutputFailed() const { return m_outputFailed; }
    // Commands that other parts of the program add.
    void AddCommand(const std::string& name, Command command);
    // Queues an input action to run as a user's action.
    void Queue(std::function<void()> event) { m_events.push_back(std::move(event)); }

    static std::vector<std::string> SplitWords(const std::string& line);
    static std::string Quote(const std::string& text);
    // The control `id` of the dialog on top.
    static HWND Control(const std::string& id);
    static int ParseInt(const std::string& text);

private:
    void AddStandardCommands();
    void AddInputCommands();
    void AddReadingCommands();
    void AddWritingCommands();
    static void Need(const Args& args, std::size_t count, const char* usage);
    void QueueKeyPress(UINT vk, UINT ch, bool shift, bool ctrl, bool alt);
    void QueueClick(HWND hWnd, Point client, bool right, bool doubleClick);
    void WriteLine(const std::string& line);

    std::ostream& m_out;
    std::map<std::string, Command> m_commands;
    std::deque<std::function<void()>> m_events;
    std::optional<std::string> m_pendingAnswer;
    bool m_outputFailed = false;
};

// The client point of character `index` in an edit, or the centre of another control.
Point ControlPoint(HWND hWnd, int index);

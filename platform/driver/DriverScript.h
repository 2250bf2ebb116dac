// The driver's command protocol, shared by every build: one command per line
// (words, or quoted text with escapes), user actions queued as events that
// run one at a time inside whatever loop is running, and one answer per
// command written once its events have run. The driver adds the commands
// that read and drive the windows; a back end may add its own.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include <windows.h>

struct DriverError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class DriverScript {
public:
    using Args = std::vector<std::string>;
    using Command = std::function<std::string(const Args&)>;
    // Writes one answer line where the driver's reader takes it; false when it could not.
    using AnswerWriter = std::function<bool(const std::string& line)>;

    explicit DriverScript(AnswerWriter write);
    virtual ~DriverScript() = default;

    // Parses and runs one command line; user actions are queued as events.
    void Execute(const std::string& line);
    // Runs the next queued event; false when there is none.
    bool RunNextEvent();
    // Writes the answer of the last command, if it has not been written.
    void FlushAnswer();
    void ReportMessageBox(const std::string& caption, const std::string& text);
    // Whether a command has run and its answer is not written yet: what the
    // program does meanwhile is the command's doing.
    bool AnswerPending() const { return m_pendingAnswer.has_value(); }
    // Whether what the program does now is a command's doing: the command runs, or its events do.
    bool CommandInProgress() const { return m_executing || AnswerPending(); }
    // Whether an answer could not be written: whoever reads them has gone.
    bool OutputFailed() const { return m_outputFailed; }
    // Commands that other parts of the program add.
    void AddCommand(const std::string& name, Command command);
    // Queues an input action to run as a user's action.
    void Queue(std::function<void()> event) { m_events.push_back(std::move(event)); }

    static std::vector<std::string> SplitWords(const std::string& line);
    static std::string Quote(const std::string& text);
    static int ParseInt(const std::string& text);

protected:
    static void Need(const Args& args, std::size_t count, const char* usage);

private:
    void WriteLine(const std::string& line);

    AnswerWriter m_write;
    std::map<std::string, Command> m_commands;
    std::deque<std::function<void()>> m_events;
    std::optional<std::string> m_pendingAnswer;
    bool m_outputFailed = false;
    bool m_executing = false;
};

// The virtual key a key's name ("Left", "F2", "a") stands for.
UINT VirtualKeyFor(const std::string& name);
// The key a character is typed with, and whether Shift is held for it; 0 for
// a character with no key (typed through an input method).
std::pair<UINT, bool> KeyForChar(UINT ch);
// The virtual key and the modifiers of a combination such as "Shift+Ctrl+Left".
UINT ParseKeyCombo(std::string combo, bool& shift, bool& ctrl, bool& alt);
// The clipboard as another program reads and writes it, through the API:
// text ends at its first zero. Writing fails when another program holds it.
std::string ClipboardText();
void SetClipboardText(const std::string& text);
// What the driver's `focus` does: the focus to a control, and all its text selected when it takes a selection.
void FocusAndSelectAll(HWND hWnd);
// A menu item is named by its text without '&', with or without its shortcut
// after a tab and its "(X)" mnemonic, which may stand before a closing "...".
bool MenuLabelMatches(std::string label, const std::string& name);

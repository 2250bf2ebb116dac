// Random driver sessions under random, often hostile, number formats against
// the calculator dialog, with the diagonal field's promises checked after every
// step. Replays every file of the corpus first, then makes new sessions until
// the time budget is spent. A session that breaks a promise is written out as a
// corpus file, so that it can be replayed and kept.
//
//   dotwise_fuzz [--seconds N] [--seed N] CORPUS-FOLDER
//
// A corpus file holds driver commands, one per line, after optional lines
//   env NAME "VALUE"
// that set the environment (the number format) for the session. A line
//   = ANSWER
// after a command is the answer that command must give.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sys/resource.h>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "../DriverHarness.h"
#include "app/DensityCalculations.h"
#include "numedit/XrNumericEdit.h"
#include "platform/class_library/DataExchange.h"
#include "platform/window_system/EditControl.h"
#include "platform/window_system/Icon.h"
#include "platform/window_system/WindowApi.h"
#include "platform/window_system/WindowManager.h"
#include "platform/driver/Driver.h"

namespace {

constexpr int kDiagonal = 1004;

struct Session {
    std::vector<std::pair<std::string, std::string>> environment;
    std::vector<std::string> commands;
    // The answer a command must give, by the command's index.
    std::map<std::size_t, std::string> answers;
};

std::string Describe(const Session& session) {
    std::string text;
    for (const auto& [name, value] : session.environment) text += "env " + name + " " + Driver::Quote(value) + "\n";
    for (std::size_t i = 0; i < session.commands.size(); ++i) {
        text += session.commands[i] + "\n";
        if (const auto it = session.answers.find(i); it != session.answers.end()) text += "= " + it->second + "\n";
    }
    return text;
}

Session ReadSession(std::istream& in) {
    Session session;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("env ", 0) == 0) {
            const std::vector<std::string> words = Driver::SplitWords(line);
            if (words.size() == 3) session.environment.emplace_back(words[1], words[2]);
        } else if (line.rfind("= ", 0) == 0 && !session.commands.empty()) {
            session.answers[session.commands.size() - 1] = line.substr(2);
        } else if (!line.empty()) {
            session.commands.push_back(line);
        }
    }
    return session;
}

bool ReadUnsigned(const std::string& text, UINT& value) {
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos) return false;
    value = static_cast<UINT>(std::stoul(text));
    return true;
}

std::string WindowText(HWND hWnd) {
    std::string buffer(static_cast<std::size_t>(SendMessage(hWnd, WM_GETTEXTLENGTH, 0, 0)) + 1, '\0');
    buffer.resize(static_cast<std::size_t>(SendMessage(hWnd, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()))));
    return buffer;
}

// The promises, checked on the dialog on top when it is the calculator.
std::string CheckPromises() {
    HWND diagonal = Driver::Control(std::to_string(kDiagonal));
    auto* edit = dynamic_cast<CXrNumericEdit*>(CWnd::FromHandle(diagonal));
    if (edit == nullptr) return "the diagonal is not a numeric edit";
    const std::string shown = edit->GetDisplayText();
    const EditControl* standard = EditControlOf(diagonal);
    if (standard == nullptr || standard->Model().Text() != shown)
        return "the window shows '" + (standard ? standard->Model().Text() : "") + "', the display is '" + shown + "'";
    edit->ComposeDisplay();
    if (edit->GetDisplayText() != shown) return "the display '" + shown + "' is not the composition of the value '" + edit->GetDisplayText() + "'";
    // What readers get is a number in the control's own separator; a zero written
    // without a leading '0' is one the data exchange declines, and still a number.
    std::string outside = edit->GetOutsideText();
    std::replace(outside.begin(), outside.end(), edit->GetDecimalSeparator(), '.');
    double value = 0;
    const bool zero = outside.find_first_not_of("-0.") == std::string::npos && outside.find('0') != std::string::npos;
    if (!ParseDouble(outside, value) && !zero) return "the value '" + outside + "' does not read as a number";
    DWORD start = 0;
    DWORD end = 0;
    SendMessage(diagonal, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const int valueEnd = edit->ValueToDisplay(edit->GetValueCount());
    for (const int p : {static_cast<int>(start), static_cast<int>(end)}) {
        const bool stop = edit->ValueToDisplay(edit->DisplayToValue(p)) == p;
        // A request past the value may end in what follows it, as a select-all does.
        if (!stop && !(p >= valueEnd && p <= static_cast<int>(shown.size())))
            return "selection end " + std::to_string(p) + " of '" + shown + "' is not on a value stop";
    }
    UINT x = 0;
    UINT y = 0;
    UINT ppi = 0;
    UINT ppc = 0;
    HWND dialog = GetParent(diagonal);
    if (ReadUnsigned(WindowText(GetDlgItem(dialog, 1000)), x) && ReadUnsigned(WindowText(GetDlgItem(dialog, 1001)), y) &&
        ReadUnsigned(WindowText(GetDlgItem(dialog, 1005)), ppi) && ReadUnsigned(WindowText(GetDlgItem(dialog, 1006)), ppc) &&
        // Until the first edit the results stand at 0, as the dialog starts.
        (ppi != 0 || ppc != 0)) {
        const PixelDensity expected = ComputePixelDensity(x, y, value);
        if (expected != PixelDensity{ppi, ppc})
            return "PPI " + std::to_string(ppi) + " and PPC " + std::to_string(ppc) + " for " + std::to_string(x) + " x " + std::to_string(y) +
                   " at " + outside + ", expected " + std::to_string(expected.ppi) + " and " + std::to_string(expected.ppc);
    }
    return "ok";
}

// Runs a session, a promise check after each command; the first broken promise, or "".
std::string Run(const Session& session) {
    for (const auto& [name, value] : session.environment) ::setenv(name.c_str(), value.c_str(), 1);
    std::string script;
    for (const std::string& command : session.commands) script += command + "\ncheck\n";
    const DriverRun run = RunDotwise(script, [](Driver& driver) {
        driver.AddCommand("check", [](const Driver::Args&) {
            HWND top = WindowManager::Instance().ActiveDialog();
            if (top == nullptr || GetDlgItem(top, kDiagonal) == nullptr) return std::string("ok");
            const std::string result = CheckPromises();
            return result == "ok" ? result : "broken: " + result;
        });
    });
    for (const auto& [name, value] : session.environment) ::unsetenv(name.c_str());
    // Whatever a dialog made for itself goes with it: sessions by the thousand must not pile up icons.
    if (const std::size_t icons = LiveIconCount(); icons != 0) return std::to_string(icons) + " icons outlived the dialog";
    // Each command answers one line, and so does the check behind it.
    const std::vector<std::string> answers = Answers(run);
    for (std::size_t i = 0; i < session.commands.size(); ++i) {
        const auto expected = session.answers.find(i);
        // A key can end the dialog, and with it the session.
        if (2 * i + 1 >= answers.size()) return expected == session.answers.end() ? "" : "no answer to '" + session.commands[i] + "'";
        if (expected != session.answers.end() && answers[2 * i] != expected->second)
            return "'" + session.commands[i] + "' answered " + answers[2 * i] + ", expected " + expected->second;
        if (answers[2 * i + 1] != "ok")
            return answers[2 * i + 1].substr(answers[2 * i + 1].rfind("broken: ", 0) == 0 ? 8 : 0) + " after '" + session.commands[i] + "'";
    }
    return "";
}

// Number formats: ordinary ones, and values no locale holds.
Session RandomFormat(std::mt19937& random) {
    const std::vector<std::pair<const char*, std::vector<std::string>>> choices = {
        {"DOTWISE_LOCALE_SDECIMAL", {".", ",", "", "\xC2\xB7", "\xff", "ab"}},
        {"DOTWISE_LOCALE_STHOUSAND", {",", ".", "", " ", "\xE2\x80\xAF", "\xff\xe2\x80", std::string(300, '\''), "'''''"}},
        {"DOTWISE_LOCALE_SGROUPING", {"3;0", "1", "2;3;0", "0", "9", "10", "-1", "2147483647", "-2147483648", "99999999999", "x"}},
        {"DOTWISE_LOCALE_IDIGITS", {"0", "1", "2", "9", "-3", "2147483647", "10000000"}},
        {"DOTWISE_LOCALE_ILZERO", {"0", "1", "7"}},
        {"DOTWISE_LOCALE_INEGNUMBER", {"0", "1", "2", "3", "4", "5", "-1"}},
        {"DOTWISE_LOCALE_SNEGATIVESIGN", {"-", "~", "", "\xE2\x88\x92"}},
    };
    Session session;
    for (const auto& [name, values] : choices)
        if (random() % 2 == 0) session.environment.emplace_back(name, values[random() % values.size()]);
    return session;
}

std::string RandomCommand(std::mt19937& random) {
    static const char* const kTexts[] = {"", "0", "-0", "4.5", "-12.34", "1234567.891", ".5", "1,2", "abc", "--1", "9.", "007", "#1#", "1e5", "  3"};
    static const char* const kKeys[] = {"Left",       "Right",     "Home",   "End",    "Delete", "Backspace", "Insert", "Shift+Left", "Shift+Right",
                                        "Shift+Home", "Shift+End", "Ctrl+C", "Ctrl+X", "Ctrl+V", "Ctrl+Z",    "Tab",    "Up",         "Down"};
    const auto index = [&random] { return std::to_string(static_cast<int>(random() % 16) - 2); };
    const std::string diagonal = std::to_string(kDiagonal);
    switch (random() % 10) {
    case 0:
    case 1:
    case 2: {
        std::string typed;
        const std::string chars = "0123456789+-.,\b# ";
        for (unsigned n = random() % 4 + 1; n > 0; --n) typed += chars[random() % chars.size()];
        return "type " + Driver::Quote(typed);
    }
    case 3: return std::string("key ") + kKeys[random() % std::size(kKeys)];
    case 4: return "setsel " + diagonal + " " + index() + " " + index();
    case 5: return "settext " + diagonal + " " + Driver::Quote(kTexts[random() % std::size(kTexts)]);
    case 6: return "setclipboard " + Driver::Quote(kTexts[random() % std::size(kTexts)]);
    case 7: return "click " + diagonal + " " + index();
    case 8: return random() % 2 ? "drag " + diagonal + " " + index() + " " + index() : "dblclick " + diagonal + " " + index();
    default: {
        static const char* const kFields[] = {"1000", "1001", "1004", "1004", "1016"};
        return std::string("focus ") + kFields[random() % std::size(kFields)];
    }
    }
}

int Fail(const Session& session, const std::string& broken, const std::filesystem::path& where) {
    std::ofstream(where) << Describe(session);
    std::cerr << "dotwise_fuzz: " << broken << "\nthe session is in " << where << ":\n" << Describe(session);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    double seconds = 60;
    unsigned seed = static_cast<unsigned>(std::random_device{}());
    std::filesystem::path corpus;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--seconds" && i + 1 < argc)
            seconds = std::atof(argv[++i]);
        else if (arg == "--seed" && i + 1 < argc)
            seed = static_cast<unsigned>(std::strtoul(argv[++i], nullptr, 10));
        else
            corpus = arg;
    }
    if (corpus.empty() || !std::filesystem::is_directory(corpus)) {
        std::cerr << "usage: dotwise_fuzz [--seconds N] [--seed N] CORPUS-FOLDER\n";
        return 2;
    }
    int replayed = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
        std::ifstream in(entry.path());
        const Session session = ReadSession(in);
        if (const std::string broken = Run(session); !broken.empty()) return Fail(session, broken, entry.path().filename().string() + ".failed");
        ++replayed;
    }
    std::cout << "dotwise_fuzz: " << replayed << " corpus sessions replayed; new sessions from seed " << seed << " for " << seconds << " s\n";
    std::mt19937 random(seed);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    long sessions = 0;
    long steps = 0;
    while (std::chrono::steady_clock::now() < deadline) {
        Session session = RandomFormat(random);
        // The focus starts on a button, where a blank or Enter would end the session at once.
        session.commands.push_back("focus " + std::to_string(kDiagonal));
        for (unsigned n = random() % 40 + 5; n > 0; --n) session.commands.push_back(RandomCommand(random));
        if (const std::string broken = Run(session); !broken.empty())
            return Fail(session, broken, "fuzz-" + std::to_string(seed) + "-" + std::to_string(sessions) + ".failed");
        ++sessions;
        steps += static_cast<long>(session.commands.size());
    }
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    std::cout << "dotwise_fuzz: " << sessions << " sessions, " << steps << " steps, no promise broken; peak resident " << usage.ru_maxrss / 1024
              << " MB\n";
    return 0;
}

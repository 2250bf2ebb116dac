// The process entry: picks a display back end from the command line and the
// environment, then runs the application on it.
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <memory>
#include <stdexcept>
#include <string>

#include "../headless/HeadlessBackend.h"
#include "../window_system/BackendModules.h"
#include "../window_system/ProgramRun.h"
#include "../window_system/Resources.h"
#include "../window_system/WindowApi.h"

namespace {

constexpr const char* kHelp =
    "usage: dotwise [--platform gui|tui|headless] [--driver]\n"
    "       dotwise --help | --version\n"
    "\n"
    "A calculator of a display's pixel density (PPI, PPC) from its resolution and\n"
    "diagonal, and of the capacity a system reports for a disk's nominal one.\n"
    "\n"
    "Back ends (by default: a window where a display answers, else the terminal):\n"
    "  --platform gui       a window on the desktop (X11 or Wayland)\n"
    "  --platform tui       full screen in the terminal (ncurses)\n"
    "  --platform headless  no display: driver commands on standard input,\n"
    "                       answers on standard output (see dotwise(1))\n"
    "  --driver             with the window, also take driver commands on standard input\n"
    "  --help               this text\n"
    "  --version            the name and version\n"
    "\n"
    "Environment:\n"
    "  DISPLAY, WAYLAND_DISPLAY    the display the window opens on\n"
    "  TERM                        the terminal's type, for --platform tui\n"
    "  LANGUAGE, LC_ALL, LC_MESSAGES, LANG\n"
    "                              the interface's language, the first set deciding:\n"
    "                              zh... Chinese; C, POSIX or none Chinese, the\n"
    "                              program's own; any other English (LANGUAGE=en)\n"
    "  LC_ALL, LC_NUMERIC, LANG    the number format of the diagonal field\n"
    "  DOTWISE_LOCALE_SDECIMAL, DOTWISE_LOCALE_STHOUSAND, DOTWISE_LOCALE_SGROUPING,\n"
    "  DOTWISE_LOCALE_IDIGITS, DOTWISE_LOCALE_ILZERO, DOTWISE_LOCALE_INEGNUMBER,\n"
    "  DOTWISE_LOCALE_SNEGATIVESIGN\n"
    "                              each replaces one value of that number format\n"
    "  DOTWISE_SCALE               the window's scale (0.5 to 8), where the desktop's\n"
    "                              Xft.dpi, GDK_SCALE or the Wayland output's scale\n"
    "                              should not decide\n"
    "  DOTWISE_CONTRAST            high: the high-contrast colours; normal: the classic\n"
    "                              ones, whatever the desktop (its settings portal,\n"
    "                              GTK_THEME) says\n"
    "  DOTWISE_ACCESSIBILITY       1: the window is shown to screen readers (AT-SPI)\n"
    "                              whatever the desktop says; 0: never\n"
    "  NO_AT_BRIDGE                1: not shown to screen readers, as for GTK programs\n"
    "  XDG_CACHE_HOME              where the choice of font is kept (dotwise/dialog-font;\n"
    "                              by default ~/.cache)\n"
    "\n"
    "Exit status: 0 when the dialog is closed; 1 when the window fails, a back\n"
    "end's module cannot be loaded or the driver's answers cannot be written; 2\n"
    "for a bad command line, DOTWISE_SCALE or DOTWISE_CONTRAST, or when no\n"
    "display or terminal can show the program.\n";

// "Dotwise 1.0.0.1", from the version block.
std::string VersionLine() {
    std::string version;
    for (const VersionField& field : ProgramResources().versionFields)
        if (std::strcmp(field.name, "ProductVersion") == 0) version = field.value;
    std::erase(version, ' ');
    std::replace(version.begin(), version.end(), ',', '.');
    return "Dotwise " + version;
}

// The window's scale as DOTWISE_SCALE gives it: a plain number within what the window can draw.
bool ValidScale(const char* text) {
    double scale = 0;
    const char* end = text + std::strlen(text);
    const auto result = std::from_chars(text, end, scale);
    return result.ec == std::errc{} && result.ptr == end && scale >= 0.5 && scale <= 8;
}

int BadCommandLine(const std::string& what) {
    std::fprintf(stderr, "dotwise: %s; see dotwise --help\n", what.c_str());
    return 2;
}

int RunHeadless() {
    HeadlessBackend backend(std::cin, std::cout);
    // Drawing needs the window back end's fonts and images: its module is opened on the first screenshot.
    backend.GetDriver().AddCommand("screenshot", [](const Driver::Args& a) {
        if (a.size() != 1) throw DriverError("usage: screenshot FILE");
        std::string error;
        const WindowModule* module = LoadWindowModule(error);
        if (module == nullptr || !module->takeScreenshot(&a[0], &error)) throw DriverError(error);
        return std::string("ok");
    });
    // Where the active dialog's client area stands in that picture, which is of all the dialogs shown.
    backend.GetDriver().AddCommand("shotclient", [](const Driver::Args& a) {
        if (!a.empty()) throw DriverError("usage: shotclient");
        HWND active = GetActiveWindow();
        if (active == nullptr) throw DriverError("no dialog is active");
        struct Shown {
            RECT bounds{};
            bool any = false;
        } shown;
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND hWnd, LPARAM param) {
                Shown& s = *reinterpret_cast<Shown*>(param);
                char cls[16] = "";
                RECT r{};
                if (!IsWindowVisible(hWnd) || GetClassNameA(hWnd, cls, sizeof cls) == 0 || std::strcmp(cls, "#32770") != 0 ||
                    !GetWindowRect(hWnd, &r))
                    return TRUE;
                s.bounds = s.any ? RECT{std::min(s.bounds.left, r.left), std::min(s.bounds.top, r.top), std::max(s.bounds.right, r.right),
                                        std::max(s.bounds.bottom, r.bottom)}
                                 : r;
                s.any = true;
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&shown));
        POINT origin{0, 0};
        ClientToScreen(active, &origin);
        return std::to_string(origin.x - shown.bounds.left) + " " + std::to_string(origin.y - shown.bounds.top);
    });
    const int exitCode = RunProgram(backend);
    if (backend.GetDriver().OutputFailed()) {
        std::fprintf(stderr, "dotwise: cannot write the driver's answers to standard output\n");
        return 1;
    }
    return exitCode;
}

int RunTerminal() {
    std::string reason;
    const TerminalModule* module = LoadTerminalModule(reason);
    if (module == nullptr) {
        std::fprintf(stderr, "dotwise: %s\n", reason.c_str());
        return 1;
    }
    std::unique_ptr<Backend> backend(module->openTerminal(&reason));
    if (backend == nullptr) {
        std::fprintf(stderr,
                     "dotwise: cannot run in this terminal: %s; use a full-screen terminal, or --platform headless to drive it from standard input\n",
                     reason.c_str());
        return 2;
    }
    return RunProgram(*backend);
}

// The window back end, or null with the reason when no display answers.
// A module that cannot be loaded is no question of the display: that throws.
std::unique_ptr<Backend> OpenWindow(bool withDriver, std::string& reason) {
    const WindowModule* module = LoadWindowModule(reason);
    if (module == nullptr) throw std::runtime_error(reason);
    return std::unique_ptr<Backend>(module->openWindow(withDriver, &reason));
}

bool DisplayVariableSet() { return std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY") != nullptr; }

// Prints `text`; a write that fails (a full disk, a closed pipe) is an error, not a success.
int Print(const std::string& text) {
    if (std::fputs(text.c_str(), stdout) < 0 || std::fflush(stdout) != 0) {
        std::fprintf(stderr, "dotwise: cannot write to standard output\n");
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    SetModulePath(argc > 0 && argv[0] != nullptr ? argv[0] : "dotwise");
    std::string platform;
    bool withDriver = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help") return Print(kHelp);
        if (arg == "--version") return Print(VersionLine() + "\n");
        if (arg == "--driver") {
            withDriver = true;
        } else if (arg == "--platform" || arg.rfind("--platform=", 0) == 0) {
            if (arg == "--platform" && i + 1 >= argc) return BadCommandLine("--platform needs a value: gui, tui or headless");
            platform = arg == "--platform" ? argv[++i] : arg.substr(11);
            if (platform != "gui" && platform != "tui" && platform != "headless")
                return BadCommandLine("--platform takes gui, tui or headless, not '" + platform + "'");
        } else {
            return BadCommandLine("unknown option '" + arg + "'");
        }
    }
    if (withDriver && platform == "tui")
        return BadCommandLine("--driver reads standard input, which the terminal needs for its keys; use it with the window or --platform headless");
    if (const char* scale = std::getenv("DOTWISE_SCALE"); scale != nullptr && !ValidScale(scale))
        return BadCommandLine("DOTWISE_SCALE must be a number from 0.5 to 8, not '" + std::string(scale) + "'");
    if (const char* contrast = std::getenv("DOTWISE_CONTRAST");
        contrast != nullptr && std::strcmp(contrast, "high") != 0 && std::strcmp(contrast, "normal") != 0)
        return BadCommandLine("DOTWISE_CONTRAST takes high or normal, not '" + std::string(contrast) + "'");
    if (platform == "headless") return RunHeadless();
    if (platform == "tui") return RunTerminal();
    std::string reason = "neither DISPLAY nor WAYLAND_DISPLAY is set";
    try {
        // Only opening the display tells whether one answers; a variable left over from another session names none.
        std::unique_ptr<Backend> window = platform == "gui" || DisplayVariableSet() ? OpenWindow(withDriver, reason) : nullptr;
        if (window != nullptr) return RunProgram(*window);
    } catch (const std::runtime_error& e) {
        std::fprintf(stderr, "dotwise: %s\n", e.what());
        return 1;
    }
    if (platform == "gui") {
        std::fprintf(stderr, "dotwise: no display could be opened (%s); run with --platform tui in a terminal, or --platform headless\n",
                     reason.c_str());
        return 2;
    }
    if (::isatty(STDIN_FILENO) && ::isatty(STDOUT_FILENO)) return RunTerminal();
    std::fprintf(stderr, "dotwise: no display could be opened (%s) and no terminal; run with --platform headless to drive it from standard input\n",
                 reason.c_str());
    return 2;
}

// The process entry: picks a display back end from the command line and the
// environment, then runs the application on it.
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>
#include <stdexcept>
#include <string>

#include "CWinApp.h"
#include "WindowApi.h"
#include "gui/Screenshot.h"
#include "gui/SdlBackend.h"
#include "headless/HeadlessBackend.h"
#include "tui/TerminalBackend.h"

namespace {

constexpr const char* kUsage =
    "usage: dotwise [--platform gui|tui|headless] [--driver]\n"
    "  --platform gui       a window on the desktop (needs DISPLAY or WAYLAND_DISPLAY)\n"
    "  --platform tui       in the terminal\n"
    "  --platform headless  no display: driver commands on standard input\n"
    "  --driver             with the window, also take driver commands on standard input\n";

std::string BaseName(const char* path) {
    std::string name = path != nullptr ? path : "dotwise";
    const auto slash = name.find_last_of('/');
    if (slash != std::string::npos) name.erase(0, slash + 1);
    return name;
}

int RunHeadless() {
    HeadlessBackend backend(std::cin, std::cout);
    AddScreenshotCommand(backend.GetDriver());
    const int exitCode = AfxWinMain(backend);
    if (backend.GetDriver().OutputFailed()) {
        std::fprintf(stderr, "dotwise: cannot write the driver's answers to standard output\n");
        return 1;
    }
    return exitCode;
}

int RunTerminal() {
    std::unique_ptr<TerminalBackend> backend;
    try {
        backend = std::make_unique<TerminalBackend>();
    } catch (const std::runtime_error& e) {
        std::fprintf(stderr, "dotwise: cannot run in this terminal: %s; use a full-screen terminal, or --platform headless to drive it from standard input\n", e.what());
        return 2;
    }
    return AfxWinMain(*backend);
}

// The window back end, or null with the reason when no display answers.
std::unique_ptr<SdlBackend> OpenWindow(bool withDriver, std::string& reason) {
    try {
        return std::make_unique<SdlBackend>(withDriver);
    } catch (const NoDisplay& e) {
        reason = e.what();
        return nullptr;
    }
}

}  // namespace

int main(int argc, char** argv) {
    SetApplicationName(BaseName(argc > 0 ? argv[0] : nullptr));
    std::string platform;
    bool withDriver = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--platform") == 0 && i + 1 < argc) {
            platform = argv[++i];
        } else if (std::strncmp(argv[i], "--platform=", 11) == 0) {
            platform = argv[i] + 11;
            if (platform.empty()) {
                std::fprintf(stderr, "dotwise: --platform= needs a value: gui, tui or headless\n");
                return 2;
            }
        } else if (std::strcmp(argv[i], "--driver") == 0) {
            withDriver = true;
        } else {
            std::fputs(kUsage, stderr);
            return 2;
        }
    }
    if (platform == "headless") return RunHeadless();
    if (platform == "tui") return RunTerminal();
    if (!platform.empty() && platform != "gui") {
        std::fprintf(stderr, "dotwise: unknown platform '%s'\n%s", platform.c_str(), kUsage);
        return 2;
    }
    std::string reason = "neither DISPLAY nor WAYLAND_DISPLAY is set";
    try {
        // Only opening the display tells whether one answers; a variable left over from another session names none.
        std::unique_ptr<SdlBackend> window = platform == "gui" || SdlBackend::DisplayVariableSet() ? OpenWindow(withDriver, reason) : nullptr;
        if (window != nullptr) return AfxWinMain(*window);
    } catch (const std::runtime_error& e) {
        std::fprintf(stderr, "dotwise: %s\n", e.what());
        return 1;
    }
    if (platform == "gui") {
        std::fprintf(stderr, "dotwise: no display could be opened (%s); run with --platform tui in a terminal, or --platform headless\n", reason.c_str());
        return 2;
    }
    if (::isatty(STDIN_FILENO) && ::isatty(STDOUT_FILENO)) return RunTerminal();
    std::fprintf(stderr, "dotwise: no display could be opened (%s) and no terminal; run with --platform headless to drive it from standard input\n", reason.c_str());
    return 2;
}

// The process entry of the Windows build: the same command line as on Linux
// where it means something here, then the program's own entry.
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

#include "AccessibleControls.h"
#include "LocaleOverride.h"
#include "../driver/StreamAnswers.h"
#include "DriverPump.h"

namespace {

constexpr const char* kHelp =
    "usage: dotwise [--driver]\n"
    "       dotwise --help | --version\n"
    "\n"
    "A calculator of a display's pixel density (PPI, PPC) from its resolution and\n"
    "diagonal, and of the capacity a system reports for a disk's nominal one.\n"
    "\n"
    "  --driver   also take driver commands on standard input, answers on\n"
    "             standard output (the protocol of dotwise --platform headless)\n"
    "  --help     this text\n"
    "  --version  the name and version\n"
    "\n"
    "DOTWISE_LOCALE_SDECIMAL, _STHOUSAND, _SGROUPING, _IDIGITS, _ILZERO, _INEGNUMBER\n"
    "and _SNEGATIVESIGN each replace one value of the user's number format.\n";

// A program of the window subsystem started from a console has no standard
// output of its own: what it prints goes to that console, as other window
// programs that take options do. Output redirected to a file or pipe stays there.
void UseParentConsole() {
    const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    if (out != nullptr && out != INVALID_HANDLE_VALUE) return;
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
    [[maybe_unused]] FILE* reopened = std::freopen("CONOUT$", "w", stdout);
    reopened = std::freopen("CONOUT$", "w", stderr);
}

// Whether a person can see and answer a box: a visible window station, and no
// driver, whose user reads standard error and would wait on a box for ever.
bool SomeoneToAsk(bool withDriver) {
    if (withDriver) return false;
    USEROBJECTFLAGS flags{};
    const HWINSTA station = GetProcessWindowStation();
    return station != nullptr && GetUserObjectInformationA(station, UOI_FLAGS, &flags, sizeof flags, nullptr) && (flags.dwFlags & WSF_VISIBLE);
}

// Every text of the program is UTF-8 through the A functions, which the
// manifest asks for; a system that ignores it would show garbled Chinese.
bool CodePageIsUtf8(bool withDriver) {
    if (GetACP() == CP_UTF8) return true;
    if (!SomeoneToAsk(withDriver)) return false;
    MessageBoxW(nullptr,
                L"Dotwise \x9700\x8981 Windows 10 1903 \x6216\x66f4\x65b0\x7248\x672c (UTF-8 \x4ee3\x7801\x9875)\x3002\n"
                L"Dotwise needs Windows 10 version 1903 or later (the UTF-8 code page).",
                L"Dotwise", MB_OK | MB_ICONERROR);
    return false;
}

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
    bool withDriver = false;
    if (argc > 1) UseParentConsole();
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) return Print(kHelp);
        if (std::strcmp(argv[i], "--version") == 0) return Print("Dotwise " DOTWISE_VERSION "\n");
        if (std::strcmp(argv[i], "--driver") != 0) {
            std::fprintf(stderr, "dotwise: unknown option '%s'; see dotwise --help\n", argv[i]);
            return 2;
        }
        withDriver = true;
    }
    if (!CodePageIsUtf8(withDriver)) {
        std::fprintf(stderr, "dotwise: the system's code page is not UTF-8: Windows 10 version 1903 or later is needed\n");
        return 1;
    }
    InstallLocaleOverride();
    ServeAccessibleControls();
    Driver driver(AnswersTo(std::cout));
    DriverPump pump(driver);
    if (withDriver && !pump.Start()) {
        std::fprintf(stderr, "dotwise: the driver could not start\n");
        return 1;
    }
    char commandLine[] = "";
    const int exitCode = WinMain(GetModuleHandleA(nullptr), nullptr, commandLine, SW_SHOWNORMAL);
    // The command that ended the program still has its answer to give.
    if (withDriver) driver.FlushAnswer();
    if (withDriver && driver.OutputFailed()) {
        std::fprintf(stderr, "dotwise: cannot write the driver's answers to standard output\n");
        return 1;
    }
    return exitCode;
}

// The process entry of the Windows build: the same command line as on Linux
// where it means something here, then the program's own entry.
#include <cstdio>
#include <cstring>
#include <string>

#include "LocaleOverride.h"
#include "WindowsDriver.h"

namespace {

constexpr const char* kHelp =
    "usage: dotwise [--driver]\n"
    "       dotwise --help\n"
    "\n"
    "A calculator of a display's pixel density (PPI, PPC) from its resolution and\n"
    "diagonal, and of the capacity a system reports for a disk's nominal one.\n"
    "\n"
    "  --driver   also take driver commands on standard input, answers on\n"
    "             standard output (the protocol of dotwise --platform headless)\n"
    "  --help     this text\n"
    "\n"
    "DOTWISE_LOCALE_SDECIMAL, _STHOUSAND, _SGROUPING, _IDIGITS, _ILZERO, _INEGNUMBER\n"
    "and _SNEGATIVESIGN each replace one value of the user's number format.\n";

}  // namespace

int main(int argc, char** argv) {
    bool withDriver = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            std::fputs(kHelp, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--driver") != 0) {
            std::fprintf(stderr, "dotwise: unknown option '%s'; see dotwise --help\n", argv[i]);
            return 2;
        }
        withDriver = true;
    }
    InstallLocaleOverride();
    WindowsDriver driver;
    if (withDriver && !driver.Start()) {
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

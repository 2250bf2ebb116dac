#include "ProgramRun.h"

#include "WindowManager.h"

int RunProgram(Backend& backend) {
    WindowManager& wm = WindowManager::Instance();
    wm.Reset();
    wm.SetBackend(&backend);
    char commandLine[] = "";
    const int exitCode = WinMain(GetModuleHandleA(nullptr), nullptr, commandLine, SW_SHOWNORMAL);
    backend.Shutdown();
    wm.Reset();
    wm.SetBackend(nullptr);
    return exitCode;
}

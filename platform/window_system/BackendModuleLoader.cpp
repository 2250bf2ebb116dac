#include <dlfcn.h>
#include <limits.h>
#include <unistd.h>

#include <string>

#include "BackendModules.h"

#ifndef DOTWISE_MODULE_DIR_FROM_BIN
#define DOTWISE_MODULE_DIR_FROM_BIN "../lib/dotwise"
#endif

namespace {

// The folder the running program is in.
std::string ProgramFolder() {
    char path[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return ".";
    const std::string program(path, static_cast<std::size_t>(n));
    return program.substr(0, program.find_last_of('/'));
}

// Beside the program in a build folder; in the library folder once installed.
void* OpenModule(const std::string& file, std::string& failure) {
    const std::string folder = ProgramFolder();
    for (const std::string& candidate : {folder + "/" + file, folder + "/" DOTWISE_MODULE_DIR_FROM_BIN "/" + file}) {
        if (void* handle = ::dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL)) return handle;
        const char* reason = ::dlerror();
        if (failure.empty() || ::access(candidate.c_str(), F_OK) == 0) failure = reason != nullptr ? reason : candidate;
    }
    return nullptr;
}

template <typename Function>
Function EntryPoint(void* handle, const char* name) {
    return reinterpret_cast<Function>(::dlsym(handle, name));
}

}  // namespace

namespace {

// Opens `file` on the first call and fills the module's entry points with
// `bind`, which says whether they were all there; later calls answer the same.
// Each module type has its own statics.
template <typename Module>
const Module* LoadOnce(const char* file, const char* backEnd, const char* missing, bool (*bind)(void*, Module&), std::string& error) {
    static Module module;
    static bool loaded = false;
    static std::string failure;
    if (!loaded && failure.empty()) {
        if (void* handle = OpenModule(file, failure)) {
            loaded = bind(handle, module);
            failure = loaded ? "" : missing;
        }
    }
    if (!loaded) error = std::string("cannot load the ") + backEnd + " back end: " + failure;
    return loaded ? &module : nullptr;
}

bool BindWindow(void* handle, WindowModule& module) {
    module.openWindow = EntryPoint<decltype(module.openWindow)>(handle, "DotwiseOpenWindow");
    module.takeScreenshot = EntryPoint<decltype(module.takeScreenshot)>(handle, "DotwiseTakeScreenshot");
    return module.openWindow != nullptr && module.takeScreenshot != nullptr;
}

bool BindTerminal(void* handle, TerminalModule& module) {
    module.openTerminal = EntryPoint<decltype(module.openTerminal)>(handle, "DotwiseOpenTerminal");
    return module.openTerminal != nullptr;
}

}  // namespace

const WindowModule* LoadWindowModule(std::string& error) {
    return LoadOnce<WindowModule>("dotwise-window.so", "window", "the window module lacks its entry points", &BindWindow, error);
}

const TerminalModule* LoadTerminalModule(std::string& error) {
    return LoadOnce<TerminalModule>("dotwise-terminal.so", "terminal", "the terminal module lacks its entry point", &BindTerminal, error);
}

#include <dlfcn.h>
#include <limits.h>
#include <unistd.h>

#include <string>

#include "WindowModule.h"

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

}  // namespace

const WindowModule* LoadWindowModule(std::string& error) {
    static WindowModule module;
    static bool loaded = false;
    static std::string failure;
    if (!loaded && failure.empty()) {
        const std::string folder = ProgramFolder();
        // Beside the program in a build folder; in the library folder once installed.
        void* handle = nullptr;
        for (const std::string& candidate : {folder + "/dotwise-window.so", folder + "/" DOTWISE_MODULE_DIR_FROM_BIN "/dotwise-window.so"}) {
            handle = ::dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
            if (handle != nullptr) break;
            const char* reason = ::dlerror();
            if (failure.empty() || ::access(candidate.c_str(), F_OK) == 0) failure = reason != nullptr ? reason : candidate;
        }
        if (handle != nullptr) {
            module.openWindow = reinterpret_cast<decltype(module.openWindow)>(::dlsym(handle, "DotwiseOpenWindow"));
            module.takeScreenshot = reinterpret_cast<decltype(module.takeScreenshot)>(::dlsym(handle, "DotwiseTakeScreenshot"));
            loaded = module.openWindow != nullptr && module.takeScreenshot != nullptr;
            failure = loaded ? "" : "the window module lacks its entry points";
        }
    }
    if (!loaded) error = "cannot load the window back end: " + failure;
    return loaded ? &module : nullptr;
}

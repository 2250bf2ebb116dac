#include <dlfcn.h>
#include <elf.h>
#include <limits.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <fstream>
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

// Whether `path` holds all that its ELF program headers say is loaded from it.
// A cut-off module would map past the file's end, and the first touch of that
// page would kill the program with a bus error and no word of why.
bool WholeModule(const std::string& path, std::string& failure) {
    std::ifstream file(path, std::ios::binary);
    Elf64_Ehdr header{};
    if (!file.read(reinterpret_cast<char*>(&header), sizeof header) || std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 ||
        header.e_ident[EI_CLASS] != ELFCLASS64 || header.e_phentsize != sizeof(Elf64_Phdr)) {
        failure = path + ": not a module of this program's kind";
        return false;
    }
    file.seekg(0, std::ios::end);
    const auto size = static_cast<std::uint64_t>(file.tellg());
    for (unsigned i = 0; i < header.e_phnum; ++i) {
        Elf64_Phdr segment{};
        file.seekg(static_cast<std::streamoff>(header.e_phoff + i * sizeof segment));
        if (!file.read(reinterpret_cast<char*>(&segment), sizeof segment) ||
            (segment.p_type == PT_LOAD && (segment.p_offset > size || segment.p_filesz > size - segment.p_offset))) {
            failure = path + ": the file is cut short (" + std::to_string(size) + " bytes)";
            return false;
        }
    }
    return true;
}

// Beside the program in a build folder; in the library folder once installed.
// When neither opens, `failure` names every place tried and what each said.
void* OpenModule(const std::string& file, std::string& failure) {
    const std::string folder = ProgramFolder();
    std::string tried;
    bool found = false;
    for (const std::string& candidate : {folder + "/" + file, folder + "/" DOTWISE_MODULE_DIR_FROM_BIN "/" + file}) {
        std::string reason;
        if (::access(candidate.c_str(), F_OK) != 0) {
            reason = candidate + ": no such file";
        } else if (found = true; WholeModule(candidate, reason)) {
            if (void* handle = ::dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL)) return handle;
            const char* error = ::dlerror();
            reason = error != nullptr ? error : candidate + ": cannot be opened";
        }
        tried += (tried.empty() ? "" : "; ") + reason;
    }
    failure = (found ? "the installation is damaged: " : "the installation is incomplete: ") + tried;
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

bool BindAccessibility(void* handle, AccessibilityModule& module) {
    module.start = EntryPoint<decltype(module.start)>(handle, "DotwiseStartAccessibility");
    module.pump = EntryPoint<decltype(module.pump)>(handle, "DotwisePumpAccessibility");
    module.wait = EntryPoint<decltype(module.wait)>(handle, "DotwiseAccessibilityWait");
    module.key = EntryPoint<decltype(module.key)>(handle, "DotwiseAccessibilityKey");
    return module.start != nullptr && module.pump != nullptr && module.wait != nullptr && module.key != nullptr;
}

}  // namespace

const WindowModule* LoadWindowModule(std::string& error) {
    return LoadOnce<WindowModule>("dotwise-window.so", "window", "the window module lacks its entry points", &BindWindow, error);
}

const TerminalModule* LoadTerminalModule(std::string& error) {
    return LoadOnce<TerminalModule>("dotwise-terminal.so", "terminal", "the terminal module lacks its entry point", &BindTerminal, error);
}

const AccessibilityModule* LoadAccessibilityModule(std::string& error) {
    return LoadOnce<AccessibilityModule>("dotwise-atspi.so", "accessibility", "the accessibility module lacks its entry points", &BindAccessibility,
                                         error);
}

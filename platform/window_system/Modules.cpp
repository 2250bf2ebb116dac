// Loadable modules. This platform has no system modules to borrow
// resources from: loading one fails, and callers take their fallbacks.
// The program itself is the one module there is.
#include <algorithm>
#include <cstring>

#include "WindowApi.h"

struct HINSTANCE__ {};

namespace {
std::string g_modulePath = "dotwise";
}  // namespace

void SetModulePath(std::string path) { g_modulePath = std::move(path); }

HMODULE WINAPI GetModuleHandleA(LPCSTR moduleName) {
    static HINSTANCE__ program;
    return moduleName == nullptr ? &program : nullptr;
}

DWORD WINAPI GetModuleFileNameA(HMODULE module, LPSTR fileName, DWORD size) {
    if (fileName == nullptr || size == 0 || (module != nullptr && module != GetModuleHandleA(nullptr))) return 0;
    // A path that does not fit is cut, with its terminating zero, as the platform does.
    const std::size_t n = std::min<std::size_t>(g_modulePath.size(), size - 1);
    std::memcpy(fileName, g_modulePath.data(), n);
    fileName[n] = '\0';
    return static_cast<DWORD>(n == g_modulePath.size() ? n : size);
}

UINT WINAPI GetWindowsDirectoryA(LPSTR buffer, UINT size) {
    // There is no Windows directory here; answer an empty path, as for a missing one.
    if (buffer != nullptr && size > 0) buffer[0] = '\0';
    return 0;
}

HMODULE WINAPI LoadLibraryA(LPCSTR) { return nullptr; }
BOOL WINAPI FreeLibrary(HMODULE) { return FALSE; }

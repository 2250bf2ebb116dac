#include "Modules.h"

#include <cstring>

#include "Icon.h"

UINT GetWindowsDirectoryA(char* buffer, UINT size) {
    // There is no Windows directory here; answer an empty path, as for a missing one.
    if (buffer != nullptr && size > 0) buffer[0] = '\0';
    return 0;
}

HINSTANCE LoadLibraryA(const char*) { return nullptr; }
BOOL FreeLibrary(HINSTANCE) { return FALSE; }

HCURSOR LoadCursorA(HINSTANCE module, int cursorId) {
    return module == nullptr ? nullptr : LoadCursor(module, cursorId);
}

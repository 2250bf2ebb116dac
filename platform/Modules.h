// Loadable modules. This platform has no system modules to borrow
// resources from: loading one fails, and callers take their fallbacks.
#pragma once

#include "Win32Types.h"

inline constexpr int MAX_PATH = 260;

UINT GetWindowsDirectoryA(char* buffer, UINT size);
HINSTANCE LoadLibraryA(const char* fileName);
BOOL FreeLibrary(HINSTANCE module);
HCURSOR LoadCursorA(HINSTANCE module, int cursorId);

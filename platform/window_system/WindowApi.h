// The window system's own helpers next to the desktop API it implements
// (declared in <windows.h>): what back ends and standard procedures need
// that the API has no function for.
#pragma once

#include <string>

#include "Geometry.h"

// The colour a brush paints with.
COLORREF BrushColor(HBRUSH brush);
// The executable's path, as GetModuleFileName answers it.
void SetModulePath(std::string path);
// Whether the system colours are the high-contrast scheme: DOTWISE_CONTRAST=high,
// or the desktop's own preference where a back end read it first.
bool HighContrast();
// Calls the thread's CBT hooks, newest first, as the system does before it
// activates a window (HCBT_ACTIVATE) and at its other moments.
LRESULT CallCbtHooks(int code, WPARAM wParam, LPARAM lParam);

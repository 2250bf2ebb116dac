// Icons and pointer shapes: decoded from the icon-image layout, drawn with
// their mask, and chosen per window through WM_SETCURSOR.
#pragma once

#include <cstdint>
#include <vector>

#include "Win32Types.h"

struct IconObject {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> argb;  // top row first; alpha 0 where the mask is set
    int systemCursor = 0;             // one of the IDC_ codes for the platform's own pointers
};

inline constexpr int IDC_ARROW = 32512;
inline constexpr int IDC_IBEAM = 32513;
inline constexpr int IDC_HAND = 32649;

// Builds an icon from one icon image (header, colour table, colour rows and
// mask rows, bottom row first). Null for a buffer that is malformed or too
// short; nothing past `size` bytes is read.
HICON CreateIconFromResourceEx(const BYTE* bits, DWORD size, BOOL fIcon, DWORD version, int cxDesired,
                               int cyDesired, UINT flags);
BOOL DrawIconEx(HDC hDC, int x, int y, HICON hIcon, int cx, int cy, UINT step, HBRUSH flickerFree, UINT flags);
HICON CopyIcon(HICON hIcon);
// The platform's own pointers; there are no other modules to load them from.
HCURSOR LoadCursor(HINSTANCE hInstance, int cursorId);
HCURSOR SetCursor(HCURSOR hCursor);
HCURSOR GetCursor();

// The one door from the class library to the platform: the desktop API's
// declarations, and nothing of whatever implements them.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#include <commctrl.h>

// The command the class library turns a request for help into.
inline constexpr UINT ID_HELP = 0xE146;

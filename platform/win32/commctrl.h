// The common controls' declarations the program uses: tooltips.
#pragma once

#include <windows.h>

#define TOOLTIPS_CLASSA "tooltips_class32"
#define TOOLTIPS_CLASS TOOLTIPS_CLASSA

inline constexpr UINT TTS_ALWAYSTIP = 0x01;
inline constexpr UINT TTF_IDISHWND = 0x0001;
inline constexpr UINT TTF_SUBCLASS = 0x0010;
inline constexpr UINT TTM_ADDTOOLA = WM_USER + 4;
inline constexpr UINT TTM_RELAYEVENT = WM_USER + 7;
inline constexpr UINT TTM_GETTOOLCOUNT = WM_USER + 13;
inline constexpr UINT TTM_ENUMTOOLSA = WM_USER + 14;
inline constexpr UINT TTM_NEWTOOLRECTA = WM_USER + 6;
#define TTM_ADDTOOL TTM_ADDTOOLA
#define TTM_NEWTOOLRECT TTM_NEWTOOLRECTA

struct INITCOMMONCONTROLSEX {
    DWORD dwSize;
    DWORD dwICC;
};
inline constexpr DWORD ICC_BAR_CLASSES = 0x00000004;
// Registers the common controls' window classes; ours are always there.
BOOL WINAPI InitCommonControlsEx(const INITCOMMONCONTROLSEX* init);

struct TOOLINFOA {
    UINT cbSize;
    UINT uFlags;
    HWND hwnd;
    UINT_PTR uId;
    RECT rect;
    HINSTANCE hinst;
    LPSTR lpszText;
    LPARAM lParam;
    void* lpReserved;
};
using TTTOOLINFOA = TOOLINFOA;
#define TOOLINFO TOOLINFOA

// The class-library wrapper of a menu handle.
#pragma once

#include "AfxWin32.h"

class CMenu {
public:
    HMENU m_hMenu = nullptr;
    // One wrapper per menu, kept until the program's run ends.
    static CMenu* FromHandle(HMENU hMenu);
    static void DeleteTempMap();
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCSTR lpszNewItem = nullptr);
};

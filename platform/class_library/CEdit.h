// The class-library wrapper of the standard edit control.
#pragma once

#include "CWnd.h"

class CEdit : public CWnd {
public:
    void GetSel(int& nStartChar, int& nEndChar) const {
        DWORD start = 0;
        DWORD end = 0;
        SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        nStartChar = static_cast<int>(start);
        nEndChar = static_cast<int>(end);
    }
    void SetSel(int nStartChar, int nEndChar) { SendMessage(EM_SETSEL, static_cast<WPARAM>(static_cast<std::intptr_t>(nStartChar)), nEndChar); }
    int CharFromPos(CPoint pt) const {
        return static_cast<int>(SendMessage(EM_CHARFROMPOS, 0, MAKELPARAM(static_cast<unsigned>(pt.x), static_cast<unsigned>(pt.y))));
    }
    CPoint PosFromChar(UINT nChar) const {
        const auto pos = static_cast<DWORD>(SendMessage(EM_POSFROMCHAR, nChar, 0));
        return {static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
    }
};

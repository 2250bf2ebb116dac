// Drawing contexts: the text colour and background mode a control's parent
// sets through WM_CTLCOLOR*, and the one a paint handler draws with.
#pragma once

#include "AfxWin32.h"

class CWnd;

class CDC {
public:
    HDC m_hDC = nullptr;
    // A temporary wrapper, good until the message loop next goes idle.
    static CDC* FromHandle(HDC hDC);
    static void DeleteTempMap();
    HDC GetSafeHdc() const { return m_hDC; }
    COLORREF SetTextColor(COLORREF color) { return ::SetTextColor(m_hDC, color); }
    int SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }
    BOOL DrawIcon(int x, int y, HICON hIcon) { return ::DrawIcon(m_hDC, x, y, hIcon); }
};

// Painting of a window for the length of a paint handler.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC();
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    PAINTSTRUCT m_ps{};

private:
    HWND m_hWnd;
};

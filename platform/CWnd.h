// The class-library window object: a handle, a message map in front of the
// window's standard procedure, and the window operations the program calls.
#pragma once

#include <string>

#include "CCmdTarget.h"
#include "WindowState.h"

class CMenu;
class CDC;

class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    ~CWnd() override;

    HWND m_hWnd = nullptr;
    static CWnd* FromHandle(HWND hWnd);

    // Message entry: the map chain, then the standard procedure.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    // A notification the parent reflected back; true when this object handled it.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual void PreSubclassWindow() {}
    virtual void PostNcDestroy() {}
    // The current message, with its own parameters, to the standard procedure.
    LRESULT Default();

    BOOL SubclassWindow(HWND hWnd);
    void Attach(HWND hWnd);
    HWND Detach();
    BOOL DestroyWindow();

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    CWnd* GetDlgItem(int nID) const;
    CWnd* GetParent() const;
    CWnd* GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;
    int GetDlgCtrlID() const;
    void SetWindowText(const char* text);
    void GetWindowText(CString& text) const;
    int GetWindowTextLength() const;
    DWORD GetStyle() const;
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    void GetClientRect(CRect* rect) const;
    void GetWindowRect(CRect* rect) const;
    void ScreenToClient(CRect* rect) const;
    void ScreenToClient(CPoint* point) const;
    void ClientToScreen(CPoint* point) const;
    BOOL SetWindowPos(const CWnd* pInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    void InvalidateRect(const CRect* rect, BOOL bErase = TRUE);
    void Invalidate(BOOL bErase = TRUE) { InvalidateRect(nullptr, bErase); }
    BOOL IsIconic() const;
    BOOL IsWindowEnabled() const;
    BOOL EnableWindow(BOOL bEnable = TRUE);
    CWnd* SetFocus();
    static CWnd* GetFocus();
    CMenu* GetSystemMenu(BOOL bRevert) const;
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);
    CPoint GetCaretPos() const;
    void SetCaretPos(CPoint point);
    void CenterWindow(CWnd* pAlternateOwner = nullptr);

    // Modal loop shared by dialogs: runs until EndModalLoop.
    int RunModalLoop();
    void EndModalLoop(int nResult);
    BOOL ContinueModal() const { return m_bContinueModal; }

protected:
    DECLARE_MESSAGE_MAP()
    BOOL ReflectLastMsg(HWND hWndChild, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    BOOL m_bContinueModal = FALSE;
    int m_nModalResult = -1;
};

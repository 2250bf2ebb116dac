// The class-library window object: a handle, a message map in front of the
// window's own procedure, and the window operations the program calls. An
// object takes over a window by subclassing it: its procedure becomes
// AfxWndProc and the one it replaced is kept for `DefWindowProc`.
#pragma once

#include "CCmdTarget.h"
#include "CGeometry.h"
#include "CString.h"

class CMenu;
class CDC;

// RunModalLoop's flag: show the window once the queue first goes quiet.
inline constexpr DWORD MLF_SHOWONIDLE = 0x0004;

class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    ~CWnd() override;

    HWND m_hWnd = nullptr;
    // The object attached to a window, or a temporary one for a window nobody attached.
    static CWnd* FromHandle(HWND hWnd);
    // The attached object only.
    static CWnd* FromHandlePermanent(HWND hWnd);
    // Frees the temporary objects of windows that are gone.
    static void DeleteTempMap();

    // Message entry: the map chain, then the window's own procedure.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    // A notification the parent reflected back; true when this object handled it.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual void PreSubclassWindow() {}
    virtual void PostNcDestroy() {}
    // Whether a dialog that did not place itself is centred after its initialisation.
    virtual BOOL CheckAutoCenter() { return TRUE; }
    // The message being handled, with its own parameters, to the window's own procedure.
    LRESULT Default();
    // Lets each attached window from the message's target up to `hWndStop` see it first.
    static BOOL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);

    BOOL SubclassWindow(HWND hWnd);
    BOOL Attach(HWND hWnd);
    HWND Detach();
    BOOL DestroyWindow();

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    CWnd* GetDlgItem(int nID) const;
    CWnd* GetParent() const;
    CWnd* GetWindow(UINT nCmd) const;
    CWnd* GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;
    int GetDlgCtrlID() const;
    void SetWindowText(LPCSTR lpszString);
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const;
    DWORD GetStyle() const;
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    void GetClientRect(LPRECT lpRect) const;
    void GetWindowRect(LPRECT lpRect) const;
    void ScreenToClient(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const;
    void ClientToScreen(LPPOINT lpPoint) const;
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    BOOL ShowWindow(int nCmdShow);
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
    void Invalidate(BOOL bErase = TRUE) { InvalidateRect(nullptr, bErase); }
    BOOL IsIconic() const;
    BOOL IsWindowEnabled() const;
    BOOL EnableWindow(BOOL bEnable = TRUE);
    CWnd* SetFocus();
    static CWnd* GetFocus();
    CMenu* GetSystemMenu(BOOL bRevert) const;
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);
    static CPoint GetCaretPos();
    static void SetCaretPos(POINT point);
    void CenterWindow(CWnd* pAlternateOwner = nullptr);
    BOOL IsDialogMessage(LPMSG lpMsg);

    // Modal loop shared by dialogs: runs until EndModalLoop.
    int RunModalLoop(DWORD dwFlags = 0);
    void EndModalLoop(int nResult);
    BOOL ContinueModal() const { return m_bContinueModal; }

protected:
    DECLARE_MESSAGE_MAP()
    void OnNcDestroy();
    BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    // Keyboard and mouse messages for this window or its children go to the dialog manager.
    BOOL PreTranslateInput(LPMSG lpMsg);
    static BOOL ReflectLastMsg(HWND hWndChild, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    WNDPROC m_pfnSuper = nullptr;
    BOOL m_bContinueModal = FALSE;
    int m_nModalResult = -1;
};

// The window procedure of every subclassed window: finds the object and hands it the message.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
// Hands a message to an object, remembering it for `Default`.
LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
// A window's whole text.
CString AfxGetWindowText(HWND hWnd);
// Takes one message from the queue and delivers it; false once the program is to quit.
BOOL AfxPumpMessage();
// Gives the windows on a message's way a look at it; true when one of them used it.
BOOL AfxPreTranslateMessage(MSG* pMsg);

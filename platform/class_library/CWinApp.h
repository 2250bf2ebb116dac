// The application object, the program entry that runs it, and the
// class library's global helpers.
#pragma once

#include "CWnd.h"

class CWinApp : public CCmdTarget {
public:
    explicit CWinApp(LPCSTR lpszAppName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitApplication() { return TRUE; }
    virtual BOOL InitInstance() { return TRUE; }
    virtual int ExitInstance() { return 0; }
    // The message loop of programs that keep running after InitInstance.
    virtual int Run();
    // Gives dialogs the three-dimensional look; the classic look is the only one here.
    BOOL Enable3dControls() { return TRUE; }
    void OnHelp();

    CWnd* m_pMainWnd = nullptr;
    LPCSTR m_pszAppName = nullptr;
    HINSTANCE m_hInstance = nullptr;

protected:
    DECLARE_MESSAGE_MAP()

private:
    friend int AfxWinMain(HINSTANCE, HINSTANCE, LPSTR, int);
    CString m_strAppName;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
// The module that holds a resource; the program is its only module.
HINSTANCE AfxFindResourceHandle(LPCSTR lpszName, LPCSTR lpszType);
// Runs the application: InitInstance once, then its loop or ExitInstance; the result is the exit code.
int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);
void AfxEnableControlContainer();
int AfxMessageBox(LPCSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
// The message is the string resource `nIDPrompt`.
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = UINT(-1));

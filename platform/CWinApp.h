// The application object and the program entry that runs it.
#pragma once

#include "CWnd.h"

class Backend;

class CWinApp : public CCmdTarget {
public:
    explicit CWinApp(const char* lpszAppName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitApplication() { return TRUE; }
    virtual BOOL InitInstance() { return TRUE; }
    virtual int ExitInstance() { return 0; }
    // Gives dialogs the three-dimensional look; the classic look is the only one here.
    BOOL Enable3dControls() { return TRUE; }
    void OnHelp();

    CWnd* m_pMainWnd = nullptr;
    const char* m_pszAppName = nullptr;

protected:
    DECLARE_MESSAGE_MAP()
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
// Program entry: runs InitInstance once on the given back end; the result is the exit code.
int AfxWinMain(Backend& backend);
void AfxEnableControlContainer();
int AfxMessageBox(const char* lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);

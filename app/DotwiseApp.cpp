#include "DotwiseApp.h"

#include "DotwiseDlg.h"

BEGIN_MESSAGE_MAP(CDotwiseApp, CWinApp)
ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

CDotwiseApp::CDotwiseApp() : CWinApp(nullptr) {}

CDotwiseApp theApp;

BOOL CDotwiseApp::InitInstance() {
    AfxEnableControlContainer();
    Enable3dControls();
    CDotwiseDlg dlg;
    m_pMainWnd = &dlg;
    // However the dialog ends, the program ends with it.
    dlg.DoModal();
    return FALSE;
}

#include "CWinApp.h"

#include "Backend.h"
#include "WindowApi.h"
#include "WindowManager.h"

namespace {
CWinApp* g_app = nullptr;
}

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
END_MESSAGE_MAP()

CWinApp::CWinApp(const char* lpszAppName) : m_pszAppName(lpszAppName) { g_app = this; }

CWinApp::~CWinApp() {
    if (g_app == this) g_app = nullptr;
}

void CWinApp::OnHelp() {
    // The program ships no help content; say so rather than do nothing.
    AfxMessageBox("本程序没有帮助文件。");
}

CWinApp* AfxGetApp() { return g_app; }
CWnd* AfxGetMainWnd() { return g_app != nullptr ? g_app->m_pMainWnd : nullptr; }

void AfxEnableControlContainer() {}

int AfxMessageBox(const char* lpszText, UINT nType, UINT) {
    CWnd* owner = AfxGetMainWnd();
    HWND hOwner = owner != nullptr ? owner->m_hWnd : nullptr;
    // The box is modal: its owner takes no input until it is answered.
    const bool disable = IsWindow(hOwner) && IsWindowEnabled(hOwner);
    if (disable) EnableWindow(hOwner, FALSE);
    HWND focus = GetFocus();
    const int result = MessageBox(hOwner, lpszText, ApplicationName().c_str(), nType);
    if (disable) EnableWindow(hOwner, TRUE);
    if (IsWindow(focus) && GetFocus() != focus) SetFocus(focus);
    return result;
}

int AfxWinMain(Backend& backend) {
    WindowManager& wm = WindowManager::Instance();
    wm.Reset();
    wm.SetBackend(&backend);
    CWinApp* app = AfxGetApp();
    int exitCode = 0;
    if (app != nullptr && app->InitApplication()) {
        if (app->InitInstance()) {
            // Programs that keep running after InitInstance have no message loop of their own here.
            wm.DrainPosted();
        }
        exitCode = app->ExitInstance();
    }
    backend.Shutdown();
    wm.Reset();
    wm.SetBackend(nullptr);
    return exitCode;
}

#include "CWinApp.h"

#include <cctype>

#include "AfxStrings.h"
#include "CDC.h"
#include "CMenu.h"

namespace {
CWinApp* g_app = nullptr;
HINSTANCE g_instance = nullptr;

// The executable's base file name, without its ".exe".
CString ModuleBaseName() {
    char path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileName(nullptr, path, MAX_PATH);
    std::string name(path, length < MAX_PATH ? length : 0);
    const auto slash = name.find_last_of("/\\");
    if (slash != std::string::npos) name.erase(0, slash + 1);
    if (name.size() > 4) {
        std::string ext = name.substr(name.size() - 4);
        for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (ext == ".exe") name.resize(name.size() - 4);
    }
    return name;
}
}  // namespace

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCSTR lpszAppName) : m_pszAppName(lpszAppName) { g_app = this; }

CWinApp::~CWinApp() {
    if (g_app == this) g_app = nullptr;
}

int CWinApp::Run() {
    while (AfxPumpMessage()) {
    }
    return ExitInstance();
}

void CWinApp::OnHelp() {
    // The program ships no help content; say so rather than do nothing.
    AfxMessageBox(AFX_IDP_NO_HELP);
}

CWinApp* AfxGetApp() { return g_app; }
CWnd* AfxGetMainWnd() { return g_app != nullptr ? g_app->m_pMainWnd : nullptr; }
HINSTANCE AfxGetInstanceHandle() { return g_instance; }
HINSTANCE AfxGetResourceHandle() { return g_instance; }
HINSTANCE AfxFindResourceHandle(LPCSTR, LPCSTR) { return AfxGetResourceHandle(); }

void AfxEnableControlContainer() {}

int AfxMessageBox(LPCSTR lpszText, UINT nType, UINT) {
    CWnd* owner = AfxGetMainWnd();
    HWND hOwner = owner != nullptr ? owner->m_hWnd : nullptr;
    // The box is modal: its owner takes no input until it is answered.
    const bool disable = ::IsWindow(hOwner) && ::IsWindowEnabled(hOwner);
    if (disable) ::EnableWindow(hOwner, FALSE);
    HWND focus = ::GetFocus();
    const CString caption = g_app != nullptr && g_app->m_pszAppName != nullptr ? CString(g_app->m_pszAppName) : ModuleBaseName();
    const int result = ::MessageBox(hOwner, lpszText, caption, nType);
    if (disable) ::EnableWindow(hOwner, TRUE);
    if (::IsWindow(focus) && ::GetFocus() != focus) ::SetFocus(focus);
    return result;
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp) {
    return AfxMessageBox(AfxLoadText(nIDPrompt), nType, nIDHelp == UINT(-1) ? nIDPrompt : nIDHelp);
}

int AfxWinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int) {
    g_instance = hInstance;
    CWinApp* app = AfxGetApp();
    int exitCode = -1;
    if (app != nullptr) {
        app->m_hInstance = hInstance;
        if (app->m_pszAppName == nullptr) {
            app->m_strAppName = ModuleBaseName();
            app->m_pszAppName = app->m_strAppName.c_str();
        }
        if (app->InitApplication()) exitCode = app->InitInstance() ? app->Run() : app->ExitInstance();
    }
    CWnd::DeleteTempMap();
    CDC::DeleteTempMap();
    CMenu::DeleteTempMap();
    return exitCode;
}

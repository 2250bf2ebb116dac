#include "CDialog.h"

#include "CWinApp.h"
#include "DataExchange.h"
#include "ThreadState.h"

namespace {

// The head of an extended dialog template, as the resource holds it.
struct DialogTemplateExHead {
    WORD dlgVer;
    WORD signature;
    DWORD helpID;
    DWORD exStyle;
    DWORD style;
    WORD cDlgItems;
    short x;
    short y;
    short cx;
    short cy;
};

}  // namespace

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDHelp(nIDTemplate), m_lpszTemplateName(MAKEINTRESOURCE(static_cast<WORD>(nIDTemplate))), m_pParentWnd(pParentWnd) {}

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd) {
    m_lpDialogTemplate = lpDialogTemplate;
    m_pParentWnd = pParentWnd;
    return TRUE;
}

LPCDLGTEMPLATE CDialog::Template() const {
    if (m_lpDialogTemplate != nullptr) return m_lpDialogTemplate;
    if (m_lpszTemplateName == nullptr) return nullptr;
    HINSTANCE hInst = AfxFindResourceHandle(m_lpszTemplateName, RT_DIALOG);
    HRSRC hResource = ::FindResource(hInst, m_lpszTemplateName, RT_DIALOG);
    if (hResource == nullptr) return nullptr;
    return static_cast<LPCDLGTEMPLATE>(::LockResource(::LoadResource(hInst, hResource)));
}

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_INITDIALOG) return FALSE;
    auto* pDlg = reinterpret_cast<CDialog*>(lParam);
    if (pDlg == nullptr || CWnd::FromHandlePermanent(hWnd) != nullptr) return TRUE;
    pDlg->SubclassWindow(hWnd);
    return AfxCallWndProc(pDlg, hWnd, message, wParam, lParam);
}

int CDialog::DoModal() {
    LPCDLGTEMPLATE lpTemplate = Template();
    if (lpTemplate == nullptr || m_hWnd != nullptr) return -1;
    // With no parent given, the application's main window owns the dialog.
    CWnd* ownerWnd = m_pParentWnd;
    if (ownerWnd == nullptr && AfxGetMainWnd() != this) ownerWnd = AfxGetMainWnd();
    HWND hWndOwner = ownerWnd != nullptr ? ownerWnd->m_hWnd : nullptr;
    HWND focusBefore = ::GetFocus();
    const bool disableOwner = ::IsWindow(hWndOwner) && ::IsWindowEnabled(hWndOwner);
    if (disableOwner) ::EnableWindow(hWndOwner, FALSE);

    m_bContinueModal = TRUE;
    m_nModalResult = -1;
    HWND hWnd = ::CreateDialogIndirectParam(AfxGetResourceHandle(), lpTemplate, hWndOwner, &AfxDlgProc, reinterpret_cast<LPARAM>(this));
    if (hWnd != nullptr && m_bContinueModal && ::IsWindow(hWnd)) RunModalLoop(MLF_SHOWONIDLE);

    if (disableOwner) ::EnableWindow(hWndOwner, TRUE);
    if (::IsWindow(focusBefore)) ::SetFocus(focusBefore);
    if (::IsWindow(hWnd)) ::DestroyWindow(hWnd);
    Detach();
    return m_nModalResult;
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) { return OnInitDialog(); }

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

BOOL CDialog::CheckAutoCenter() {
    // Centred when the template leaves the position to the platform: (0, 0) and no placing style of its own.
    LPCDLGTEMPLATE lpTemplate = Template();
    if (lpTemplate == nullptr) return TRUE;
    const auto* ex = reinterpret_cast<const DialogTemplateExHead*>(lpTemplate);
    const bool extended = ex->signature == 0xFFFF;
    const DWORD style = extended ? ex->style : lpTemplate->style;
    const short x = extended ? ex->x : lpTemplate->x;
    const short y = extended ? ex->y : lpTemplate->y;
    return !(style & (DS_CENTER | DS_CENTERMOUSE | DS_ABSALIGN)) && x == 0 && y == 0 ? TRUE : FALSE;
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg) {
    if (CWnd::PreTranslateMessage(pMsg)) return TRUE;
    return PreTranslateInput(pMsg);
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::EndDialog(int nResult) {
    EndModalLoop(nResult);
    ::EndDialog(m_hWnd, nResult);
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate) {
    CDataExchange dx(this, bSaveAndValidate);
    AFX_THREAD_STATE* state = AfxGetThreadState();
    // Notifications from this dialog's own controls are dropped while the
    // exchange runs, so a write-back never starts another recalculation.
    HWND previousLockout = state->m_hLockoutNotifyWindow;
    state->m_hLockoutNotifyWindow = m_hWnd;
    DoDataExchange(&dx);
    state->m_hLockoutNotifyWindow = previousLockout;
    return dx.Failed() ? FALSE : TRUE;
}

BOOL CDialog::OnCmdMsg(UINT nID, int nCode) {
    if (CWnd::OnCmdMsg(nID, nCode)) return TRUE;
    // Commands nobody in the dialog handles go on to the application.
    CWinApp* app = AfxGetApp();
    return app != nullptr && nCode == 0 ? app->OnCmdMsg(nID, nCode) : FALSE;
}

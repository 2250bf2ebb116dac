#include "CDialog.h"

#include "CWinApp.h"
#include "DataExchange.h"
#include "DialogProcedure.h"
#include "WindowApi.h"
#include "WindowManager.h"

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
    ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

CDialog::CDialog(const DialogTemplate* pTemplate, CWnd* pParentWnd) : m_pTemplate(pTemplate), m_pParentWnd(pParentWnd) {}

int CDialog::DoModal() {
    const DialogTemplate* t = m_pTemplate ? m_pTemplate : FindDialogTemplate(static_cast<int>(m_nIDTemplate));
    if (t == nullptr || m_hWnd != nullptr) return -1;
    WindowManager& wm = WindowManager::Instance();
    // With no parent given, the application's main window owns the dialog.
    CWnd* ownerWnd = m_pParentWnd;
    if (ownerWnd == nullptr && AfxGetMainWnd() != this) ownerWnd = AfxGetMainWnd();
    HWND owner = ownerWnd ? ownerWnd->m_hWnd : nullptr;
    HWND focusBefore = ::GetFocus();
    const bool disableOwner = ::IsWindow(owner) && ::IsWindowEnabled(owner);
    if (disableOwner) ::EnableWindow(owner, FALSE);

    HWND hWnd = CreateDialogWindow(*t, owner);
    Attach(hWnd);
    hWnd->wnd = this;
    wm.ModalStack().push_back(hWnd);
    m_bContinueModal = TRUE;
    m_nModalResult = -1;
    if (SendMessage(WM_INITDIALOG, 0, 0)) {
        if (HWND first = ::GetNextDlgTabItem(hWnd, nullptr, FALSE)) ::SetFocus(first);
    }
    if (::IsWindow(hWnd)) {
        hWnd->style |= WS_VISIBLE;
        wm.Invalidate(hWnd);
    }
    if (m_bContinueModal) RunModalLoop();

    if (disableOwner) ::EnableWindow(owner, TRUE);
    if (::IsWindow(focusBefore)) ::SetFocus(focusBefore);
    if (::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
    m_hWnd = nullptr;
    return m_nModalResult;
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) { return OnInitDialog(); }

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    const DialogTemplate* t = m_pTemplate ? m_pTemplate : FindDialogTemplate(static_cast<int>(m_nIDTemplate));
    if (t != nullptr && t->x == 0 && t->y == 0) CenterWindow();
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::EndDialog(int nResult) { EndModalLoop(nResult); }

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate) {
    CDataExchange dx(this, bSaveAndValidate);
    WindowManager& wm = WindowManager::Instance();
    // Notifications from this dialog's own controls are dropped while the
    // exchange runs, so a write-back never starts another recalculation.
    HWND previousLockout = wm.SetLockoutNotifyWindow(m_hWnd);
    BOOL ok = TRUE;
    try {
        DoDataExchange(&dx);
    } catch (const DataExchangeFailure&) {
        ok = FALSE;
    }
    wm.SetLockoutNotifyWindow(previousLockout);
    return ok;
}

BOOL CDialog::OnCmdMsg(UINT nID, int nCode) {
    if (CWnd::OnCmdMsg(nID, nCode)) return TRUE;
    // Commands nobody in the dialog handles go on to the application.
    CWinApp* app = AfxGetApp();
    return app != nullptr && nCode == 0 ? app->OnCmdMsg(nID, nCode) : FALSE;
}

// Modal dialogs built from a template, with data exchange between fields
// and members.
#pragma once

#include "CWnd.h"
#include "Resources.h"

class CDataExchange;

class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    // For dialogs whose template is not among the program's resources.
    explicit CDialog(const DialogTemplate* pTemplate, CWnd* pParentWnd = nullptr);

    virtual int DoModal();
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    void EndDialog(int nResult);
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    BOOL OnCmdMsg(UINT nID, int nCode) override;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    UINT m_nIDHelp = 0;
    UINT m_nIDTemplate = 0;
    const DialogTemplate* m_pTemplate = nullptr;
    CWnd* m_pParentWnd = nullptr;
};

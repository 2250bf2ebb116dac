// Modal dialogs built from a template, with data exchange between fields
// and members.
#pragma once

#include "CWnd.h"

class CDataExchange;

class CDialog : public CWnd {
public:
    CDialog() = default;
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    // For a dialog whose template is in memory rather than among the program's resources.
    BOOL InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = nullptr);

    virtual int DoModal();
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    void EndDialog(int nResult);
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    BOOL OnCmdMsg(UINT nID, int nCode) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL CheckAutoCenter() override;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
    // The template: the resource's, or the one given in memory.
    LPCDLGTEMPLATE Template() const;

    UINT m_nIDHelp = 0;
    LPCSTR m_lpszTemplateName = nullptr;
    LPCDLGTEMPLATE m_lpDialogTemplate = nullptr;
    CWnd* m_pParentWnd = nullptr;
};

// The dialog procedure of the class library's dialogs: attaches the object
// on WM_INITDIALOG, whose parameter carries it.
INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

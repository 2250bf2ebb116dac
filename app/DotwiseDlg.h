// The calculator dialog: inputs and outputs bound to fields, recalculated
// whenever an input field changes.
#pragma once

#include "../badge/IconBadge.h"
#include "../numedit/XrNumericEdit.h"
#include "../platform/class_library/CDialog.h"

class CDotwiseDlg : public CDialog {
public:
    explicit CDotwiseDlg(CWnd* pParent = nullptr);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnUpdateDensityInput();
    void OnUpdateNominalGB();
    void OnSetFocusPixelX();
    void OnSetFocusPixelY();
    void OnSetFocusDiagonal();
    void OnSetFocusNominalGB();
    DECLARE_MESSAGE_MAP()

    UINT m_nPixelY = 0;
    UINT m_nPixelX = 0;
    UINT m_nLengthXCm = 0;
    UINT m_nLengthYCm = 0;
    UINT m_nPpi = 0;
    UINT m_nPpc = 0;
    UINT m_nNominalGB = 0;
    CString m_strActualGB;
    CXrNumericEdit m_editDiagonal;
    double m_dDiagonal = 0.0;
    HICON m_hIcon = nullptr;
    CIconBadge m_badgePlateMaking;
    CIconBadge m_badgeWovenLabel;
    CIconBadge m_badgeSeal;

private:
    void SelectAllOnFocus(int nID);
};

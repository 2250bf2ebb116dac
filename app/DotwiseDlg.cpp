#include "DotwiseDlg.h"

#include "../badge/BadgePictures.h"
#include "../platform/class_library/DataExchange.h"
#include "../platform/class_library/CMenu.h"
#include "AboutDlg.h"
#include "../platform/class_library/CDC.h"
#include "../platform/class_library/CWinApp.h"
#include "../res/resource.h"
#include "DensityCalculations.h"

namespace {

// A string resource of the program, in the language its resources speak.
CString ResourceText(UINT id) {
    CString text;
    text.LoadString(id);
    return text;
}

}  // namespace

BEGIN_MESSAGE_MAP(CDotwiseDlg, CDialog)
ON_WM_SYSCOMMAND()
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
ON_EN_UPDATE(IDC_PIXEL_X, OnUpdateDensityInput)
ON_EN_UPDATE(IDC_PIXEL_Y, OnUpdateDensityInput)
ON_EN_UPDATE(IDC_DIAGONAL, OnUpdateDensityInput)
ON_EN_UPDATE(IDC_NOMINAL_GB, OnUpdateNominalGB)
ON_EN_SETFOCUS(IDC_NOMINAL_GB, OnSetFocusNominalGB)
ON_EN_SETFOCUS(IDC_DIAGONAL, OnSetFocusDiagonal)
ON_EN_SETFOCUS(IDC_PIXEL_Y, OnSetFocusPixelY)
ON_EN_SETFOCUS(IDC_PIXEL_X, OnSetFocusPixelX)
END_MESSAGE_MAP()

CDotwiseDlg::CDotwiseDlg(CWnd* pParent)
    : CDialog(IDD_DOTWISE_DIALOG, pParent),
      m_badgePlateMaking(PlateMakingPicture(), ResourceText(IDS_BADGE_PLATE_MAKING)),
      m_badgeWovenLabel(WovenLabelPicture(), ResourceText(IDS_BADGE_WOVEN_LABEL)),
      m_badgeSeal(SealPicture(), ResourceText(IDS_BADGE_SEAL)) {
    m_hIcon = LoadIcon(AfxFindResourceHandle(MAKEINTRESOURCE(IDR_MAINFRAME), RT_GROUP_ICON), MAKEINTRESOURCE(IDR_MAINFRAME));
}

void CDotwiseDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_BADGE_WOVEN_LABEL, m_badgeWovenLabel);
    DDX_Control(pDX, IDC_BADGE_PLATE_MAKING, m_badgePlateMaking);
    DDX_Control(pDX, IDC_BADGE_SEAL, m_badgeSeal);
    // Y before X: a read that stops at an unreadable field leaves the fields after it as they were.
    DDX_Text(pDX, IDC_PIXEL_Y, m_nPixelY);
    DDX_Text(pDX, IDC_PIXEL_X, m_nPixelX);
    DDX_Text(pDX, IDC_LENGTH_X_CM, m_nLengthXCm);
    DDX_Text(pDX, IDC_LENGTH_Y_CM, m_nLengthYCm);
    DDX_Text(pDX, IDC_PPI, m_nPpi);
    DDX_Text(pDX, IDC_PPC, m_nPpc);
    DDX_Text(pDX, IDC_NOMINAL_GB, m_nNominalGB);
    DDX_Text(pDX, IDC_ACTUAL_GB, m_strActualGB);
    // Attached before the diagonal's first text exchange, so every exchange
    // of its text goes through the control's own window-text handlers.
    DDX_Control(pDX, IDC_DIAGONAL, m_editDiagonal);
    // The field speaks the locale's decimal separator; C notation is translated
    // to it, so that a ',' locale neither refuses the value nor fails to read it.
    DDX_Text(pDX, IDC_DIAGONAL, m_dDiagonal, m_editDiagonal.GetDecimalSeparator());
}

BOOL CDotwiseDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    if (CMenu* pSysMenu = GetSystemMenu(FALSE)) {
        CString strAboutMenu;
        strAboutMenu.LoadString(IDS_ABOUTBOX);
        if (!strAboutMenu.IsEmpty()) {
            pSysMenu->AppendMenu(MF_SEPARATOR);
            pSysMenu->AppendMenu(MF_STRING, IDM_ABOUTBOX, strAboutMenu);
        }
    }
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    m_editDiagonal.SetDecimalPlaces(1);
    m_dDiagonal = 4.5;
    m_nPixelX = 1280;
    m_nPixelY = 720;
    m_nNominalGB = 320;
    UpdateData(FALSE);
    return TRUE;
}

void CDotwiseDlg::OnSysCommand(UINT nID, LPARAM) {
    // The low four bits of a system command are the platform's own.
    if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg dlgAbout;
        dlgAbout.DoModal();
        return;
    }
    Default();
}

void CDotwiseDlg::OnPaint() {
    if (!IsIconic()) {
        Default();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    const int cxIcon = GetSystemMetrics(SM_CXICON);
    const int cyIcon = GetSystemMetrics(SM_CYICON);
    CRect rect;
    GetClientRect(&rect);
    const int x = (rect.Width() - cxIcon + 1) / 2;
    const int y = (rect.Height() - cyIcon + 1) / 2;
    dc.DrawIcon(x, y, m_hIcon);
}

HCURSOR CDotwiseDlg::OnQueryDragIcon() { return m_hIcon; }

void CDotwiseDlg::OnUpdateDensityInput() {
    UpdateData(TRUE);
    const PixelDensity density = ComputePixelDensity(m_nPixelX, m_nPixelY, m_dDiagonal);
    m_nPpi = density.ppi;
    m_nPpc = density.ppc;
    UpdateData(FALSE);
}

void CDotwiseDlg::OnUpdateNominalGB() {
    UpdateData(TRUE);
    m_strActualGB = FormatReportedCapacity(m_nNominalGB);
    UpdateData(FALSE);
}

// Posted, not sent: the selection then follows the focus change and any
// caret placement of the click that caused it.
void CDotwiseDlg::SelectAllOnFocus(int nID) { GetDlgItem(nID)->PostMessage(EM_SETSEL, 0, -1); }

void CDotwiseDlg::OnSetFocusPixelX() { SelectAllOnFocus(IDC_PIXEL_X); }
void CDotwiseDlg::OnSetFocusPixelY() { SelectAllOnFocus(IDC_PIXEL_Y); }
void CDotwiseDlg::OnSetFocusDiagonal() { SelectAllOnFocus(IDC_DIAGONAL); }
void CDotwiseDlg::OnSetFocusNominalGB() { SelectAllOnFocus(IDC_NOMINAL_GB); }

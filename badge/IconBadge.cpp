#include "IconBadge.h"

#include <cstring>

#include "BadgePictures.h"

#include "../platform/class_library/CWinApp.h"
#include "../platform/class_library/CDC.h"
#include "../platform/class_library/CString.h"
#include "../res/resource.h"

const char* const CIconBadge::kToolTipText = "Marvo个人程序...(联系方式从略)";

BEGIN_MESSAGE_MAP(CIconBadge, CStatic)
ON_CONTROL_REFLECT(STN_CLICKED, OnClicked)
ON_WM_PAINT()
ON_WM_SETCURSOR()
ON_MESSAGE(WM_DPICHANGED_AFTERPARENT, OnDpiChangedAfterParent)
END_MESSAGE_MAP()

CIconBadge::CIconBadge(const BadgePicture& picture, const char* clickText)
    : m_picture(picture), m_nWidth(picture.width), m_nHeight(picture.height), m_strClickText(clickText) {
    MakeIcon(1.0);
    m_hCursor = nullptr;
}

void CIconBadge::MakeIcon(double scale) {
    // The image lives only as long as it takes to make the icon from it.
    const BadgePicture picture = BadgePictureAt(m_picture, scale);
    std::vector<BYTE> image = BuildBadgeImage(picture);
    if (m_hIcon != nullptr) DestroyIcon(m_hIcon);
    m_nWidth = picture.width;
    m_nHeight = picture.height;
    m_hIcon = CreateIconFromResourceEx(image.data(), static_cast<DWORD>(image.size()), TRUE, 0x30000, m_nWidth, m_nHeight, LR_DEFAULTCOLOR);
}

CIconBadge::~CIconBadge() {
    // Made for this badge alone: each dialog built would otherwise keep three icons and a pointer.
    if (m_hIcon != nullptr) DestroyIcon(m_hIcon);
    if (m_hCursor != nullptr) DestroyCursor(m_hCursor);
}

void CIconBadge::PreSubclassWindow() {
    ModifyStyle(0, SS_NOTIFY, 0);
    // On a dense screen the picture is drawn anew at the screen's scale, not enlarged.
    if (const UINT dpi = GetDpiForWindow(m_hWnd); dpi != 0 && dpi != 96) MakeIcon(dpi / 96.0);
    LoadHandCursor();
    FitToIcon();
    CRect client;
    GetClientRect(&client);
    m_tooltip.Create(this, 0);
    // The program's own wording, in its resources' language, where it has one.
    CString tip;
    if (!tip.LoadString(IDS_BADGE_TOOLTIP)) tip = kToolTipText;
    m_tooltip.AddTool(this, tip, &client, 1);
    m_tooltip.SendMessage(WM_SETFONT, GetParent()->SendMessage(WM_GETFONT), TRUE);
    CStatic::PreSubclassWindow();
}

void CIconBadge::FitToIcon() {
    CRect client;
    GetClientRect(&client);
    const int clientWidth = client.right - client.left;
    CRect window;
    GetWindowRect(&window);
    GetParent()->ScreenToClient(&window);
    // The horizontal frame thickness serves for the height too; the
    // bottom-right corner stays where the template put it.
    const int frame = (window.right - window.left) - clientWidth;
    SetWindowPos(nullptr, window.right - frame - m_nWidth, window.bottom - frame - m_nHeight, m_nWidth + frame, m_nHeight + frame, SWP_NOZORDER);
}

LRESULT CIconBadge::OnDpiChangedAfterParent(WPARAM, LPARAM) {
    const UINT dpi = GetDpiForWindow(m_hWnd);
    if (dpi == 0) return 0;
    MakeIcon(dpi / 96.0);
    FitToIcon();
    CRect client;
    GetClientRect(&client);
    m_tooltip.SetToolRect(this, 1, &client);
    // The dialog's font was made anew for the new scale; the tooltip speaks in it too.
    m_tooltip.SendMessage(WM_SETFONT, GetParent()->SendMessage(WM_GETFONT), TRUE);
    Invalidate();
    return 0;
}

BOOL CIconBadge::PreTranslateMessage(MSG* pMsg) {
    ::SendMessage(m_tooltip.m_hWnd, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(pMsg));
    return CStatic::PreTranslateMessage(pMsg);
}

BOOL CIconBadge::OnSetCursor(CWnd*, UINT nHitTest, UINT) {
    if (m_hCursor == nullptr || nHitTest != HTCLIENT) return FALSE;
    ::SetCursor(m_hCursor);
    return TRUE;
}

void CIconBadge::OnPaint() {
    CPaintDC dc(this);
    DrawBadge(dc, 0, 0);
}

void CIconBadge::DrawBadge(CDC& dc, int x, int y) { DrawIconEx(dc.GetSafeHdc(), x, y, m_hIcon, 0, 0, 0, nullptr, DI_NORMAL); }

void CIconBadge::OnClicked() { AfxMessageBox(m_strClickText.c_str(), MB_OK, 0); }

void CIconBadge::LoadHandCursor() {
    if (m_hCursor != nullptr) return;
    char path[MAX_PATH] = {};
    GetWindowsDirectoryA(path, MAX_PATH);
    std::strncat(path, "\\winhlp32.exe", MAX_PATH - std::strlen(path) - 1);
    HINSTANCE module = LoadLibraryA(path);
    if (module != nullptr) {
        if (HCURSOR hand = LoadCursorA(module, MAKEINTRESOURCEA(106))) m_hCursor = CopyIcon(hand);
        FreeLibrary(module);
    }
    // Where the help viewer is not to be had, the platform's own hand stands in for it.
    if (m_hCursor == nullptr) m_hCursor = CopyIcon(LoadCursor(nullptr, IDC_HAND));
}

#include "CToolTipCtrl.h"

#include "CWinApp.h"

CToolTipCtrl::~CToolTipCtrl() {
    if (::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
}

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle) {
    // The tooltip class lives in the common controls, which register it on request.
    const INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&init);
    HWND hWnd = ::CreateWindowEx(0, TOOLTIPS_CLASS, nullptr, WS_POPUP | dwStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                 pParentWnd != nullptr ? pParentWnd->m_hWnd : nullptr, nullptr, AfxGetInstanceHandle(), nullptr);
    return hWnd != nullptr && SubclassWindow(hWnd);
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool) {
    if (!::IsWindow(m_hWnd) || pWnd == nullptr) return FALSE;
    TOOLINFO info{};
    info.cbSize = sizeof info;
    info.hwnd = pWnd->m_hWnd;
    info.uId = nIDTool;
    if (lpRectTool != nullptr) info.rect = *lpRectTool;
    info.hinst = AfxGetResourceHandle();
    info.lpszText = const_cast<LPSTR>(lpszText);
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&info)));
}

void CToolTipCtrl::SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect) {
    if (!::IsWindow(m_hWnd) || pWnd == nullptr || lpRect == nullptr) return;
    TOOLINFO info{};
    info.cbSize = sizeof info;
    info.hwnd = pWnd->m_hWnd;
    info.uId = nIDTool;
    info.rect = *lpRect;
    SendMessage(TTM_NEWTOOLRECT, 0, reinterpret_cast<LPARAM>(&info));
}

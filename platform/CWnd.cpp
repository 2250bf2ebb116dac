#include "CWnd.h"

#include "DeviceContext.h"
#include "Menu.h"
#include "WindowApi.h"
#include "WindowManager.h"

namespace {
WindowManager& wm() { return WindowManager::Instance(); }

// The items a dialog frame without minimise and maximise boxes offers.
HMENU BuildSystemMenu() {
    HMENU menu = CreatePopupMenu();
    CMenu* m = CMenu::FromHandle(menu);
    m->AppendMenu(MF_STRING, SC_MOVE, "移动(&M)");
    m->AppendMenu(MF_SEPARATOR);
    m->AppendMenu(MF_STRING, SC_CLOSE, "关闭(&C)\tAlt+F4");
    return menu;
}
}  // namespace

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

CWnd::~CWnd() {
    if (m_hWnd != nullptr && wm().IsWindow(m_hWnd) && m_hWnd->wnd == this) m_hWnd->wnd = nullptr;
}

CWnd* CWnd::FromHandle(HWND hWnd) {
    if (!wm().IsWindow(hWnd)) return nullptr;
    if (hWnd->wnd != nullptr) return hWnd->wnd;
    if (!hWnd->handleWrapper) {
        hWnd->handleWrapper = std::make_unique<CWnd>();
        hWnd->handleWrapper->m_hWnd = hWnd;
    }
    return hWnd->handleWrapper.get();
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result)) result = DefWindowProc(message, wParam, lParam);
    return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam)) return FALSE;
        *pResult = 1;
        return TRUE;
    }
    if (message >= WM_CTLCOLOREDIT && message <= WM_CTLCOLORSTATIC) {
        return ReflectLastMsg(reinterpret_cast<HWND>(lParam), message, wParam, lParam, pResult);
    }
    const AFX_MSGMAP_ENTRY* entry = FindEntry(message, 0, 0);
    if (entry == nullptr) return FALSE;
    *pResult = entry->pfn(this, wParam, lParam);
    return TRUE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!wm().IsWindow(m_hWnd) || !m_hWnd->procedure) return 0;
    return m_hWnd->procedure->Handle(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
    const QueuedMessage& m = wm().CurrentMessage();
    return DefWindowProc(m.message, m.wParam, m.lParam);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT nID = LOWORD(wParam);
    const int nCode = HIWORD(wParam);
    auto hWndCtrl = reinterpret_cast<HWND>(lParam);
    if (hWndCtrl != nullptr) {
        // While this window runs a data exchange its controls' notifications are
        // dropped, so that writing a field never sets off another recalculation.
        if (wm().LockoutNotifyWindow() == m_hWnd) return TRUE;
        LRESULT ignored = 0;
        if (ReflectLastMsg(hWndCtrl, WM_COMMAND, wParam, lParam, &ignored)) return TRUE;
    }
    return OnCmdMsg(nID, nCode);
}

BOOL CWnd::ReflectLastMsg(HWND hWndChild, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (!wm().IsWindow(hWndChild) || hWndChild->wnd == nullptr) return FALSE;
    return hWndChild->wnd->OnChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (message == WM_COMMAND) {
        const AFX_MSGMAP_ENTRY* entry = FindEntry(WM_COMMAND + WM_REFLECT_BASE, HIWORD(wParam), 0);
        if (entry == nullptr) return FALSE;
        *pResult = entry->pfn(this, wParam, lParam);
        return TRUE;
    }
    if (message >= WM_CTLCOLOREDIT && message <= WM_CTLCOLORSTATIC) {
        const AFX_MSGMAP_ENTRY* entry = FindEntry(WM_CTLCOLOR + WM_REFLECT_BASE, 0, 0);
        if (entry == nullptr) return FALSE;
        const UINT nCtlColor = message == WM_CTLCOLOREDIT ? CTLCOLOR_EDIT : CTLCOLOR_STATIC;
        const LRESULT brush = entry->pfn(this, wParam, nCtlColor);
        if (brush == 0) return FALSE;
        *pResult = brush;
        return TRUE;
    }
    return FALSE;
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

void CWnd::Attach(HWND hWnd) { m_hWnd = hWnd; }

HWND CWnd::Detach() {
    HWND hWnd = m_hWnd;
    if (wm().IsWindow(hWnd) && hWnd->wnd == this) hWnd->wnd = nullptr;
    m_hWnd = nullptr;
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
    if (!wm().IsWindow(hWnd) || m_hWnd != nullptr) return FALSE;
    Attach(hWnd);
    // Set-up runs before the object's handlers take over the window's messages.
    PreSubclassWindow();
    hWnd->wnd = this;
    return TRUE;
}

BOOL CWnd::DestroyWindow() { return ::DestroyWindow(m_hWnd); }

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendMessage(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::PostMessage(m_hWnd, message, wParam, lParam);
}

CWnd* CWnd::GetDlgItem(int nID) const { return FromHandle(::GetDlgItem(m_hWnd, nID)); }
CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }

CWnd* CWnd::GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious) const {
    return FromHandle(::GetNextDlgTabItem(m_hWnd, pWndCtl ? pWndCtl->m_hWnd : nullptr, bPrevious));
}

int CWnd::GetDlgCtrlID() const { return wm().IsWindow(m_hWnd) ? m_hWnd->id : 0; }

void CWnd::SetWindowText(const char* text) {
    ::SendMessage(m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

int CWnd::GetWindowTextLength() const { return static_cast<int>(::SendMessage(m_hWnd, WM_GETTEXTLENGTH, 0, 0)); }

void CWnd::GetWindowText(CString& text) const {
    const int length = GetWindowTextLength();
    std::string buffer(static_cast<std::size_t>(length) + 1, '\0');
    const auto stored = ::SendMessage(m_hWnd, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    buffer.resize(static_cast<std::size_t>(stored < 0 ? 0 : stored));
    text = buffer;
}

DWORD CWnd::GetStyle() const { return wm().IsWindow(m_hWnd) ? m_hWnd->style : 0; }

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT) {
    if (!wm().IsWindow(m_hWnd)) return FALSE;
    const DWORD old = m_hWnd->style;
    m_hWnd->style = (old & ~dwRemove) | dwAdd;
    return old != m_hWnd->style ? TRUE : FALSE;
}

void CWnd::GetClientRect(CRect* rect) const { *rect = wm().ClientRect(m_hWnd); }
void CWnd::GetWindowRect(CRect* rect) const { *rect = wm().ScreenRect(m_hWnd); }

void CWnd::ScreenToClient(CRect* rect) const {
    const CPoint origin = wm().ClientOrigin(m_hWnd);
    rect->OffsetRect(-origin.x, -origin.y);
}

void CWnd::ScreenToClient(CPoint* point) const {
    const CPoint origin = wm().ClientOrigin(m_hWnd);
    point->x -= origin.x;
    point->y -= origin.y;
}

void CWnd::ClientToScreen(CPoint* point) const {
    const CPoint origin = wm().ClientOrigin(m_hWnd);
    point->x += origin.x;
    point->y += origin.y;
}

BOOL CWnd::SetWindowPos(const CWnd*, int x, int y, int cx, int cy, UINT nFlags) {
    if (!wm().IsWindow(m_hWnd)) return FALSE;
    CRect& r = m_hWnd->rect;
    if (!(nFlags & SWP_NOMOVE)) {
        const int w = r.Width();
        const int h = r.Height();
        r = {x, y, x + w, y + h};
    }
    if (!(nFlags & SWP_NOSIZE)) {
        r.right = r.left + cx;
        r.bottom = r.top + cy;
    }
    wm().Invalidate(m_hWnd);
    return TRUE;
}

void CWnd::InvalidateRect(const CRect* rect, BOOL bErase) { ::InvalidateRect(m_hWnd, rect, bErase); }
BOOL CWnd::IsIconic() const { return wm().IsWindow(m_hWnd) && m_hWnd->minimized ? TRUE : FALSE; }
BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
BOOL CWnd::EnableWindow(BOOL bEnable) { return ::EnableWindow(m_hWnd, bEnable); }
CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
CWnd* CWnd::GetFocus() { return FromHandle(::GetFocus()); }

CMenu* CWnd::GetSystemMenu(BOOL bRevert) const {
    if (!wm().IsWindow(m_hWnd) || !(m_hWnd->style & WS_SYSMENU)) return nullptr;
    if (bRevert) {
        if (m_hWnd->systemMenu != nullptr) DestroyMenu(m_hWnd->systemMenu);
        m_hWnd->systemMenu = nullptr;
        return nullptr;
    }
    if (m_hWnd->systemMenu == nullptr) m_hWnd->systemMenu = BuildSystemMenu();
    return CMenu::FromHandle(m_hWnd->systemMenu);
}

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon) {
    return reinterpret_cast<HICON>(SendMessage(WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(hIcon)));
}

CPoint CWnd::GetCaretPos() const {
    CPoint p;
    ::GetCaretPos(&p);
    return p;
}

void CWnd::SetCaretPos(CPoint point) { ::SetCaretPos(point.x, point.y); }


void CWnd::CenterWindow(CWnd* pAlternateOwner) {
    if (!wm().IsWindow(m_hWnd)) return;
    HWND owner = pAlternateOwner ? pAlternateOwner->m_hWnd : m_hWnd->parent;
    CRect area = wm().GetBackend() ? wm().GetBackend()->WorkArea() : CRect{0, 0, 1280, 800};
    if (wm().IsWindow(owner)) area = wm().ScreenRect(owner);
    CRect& r = m_hWnd->rect;
    const int w = r.Width();
    const int h = r.Height();
    r.left = area.left + (area.Width() - w) / 2;
    r.top = area.top + (area.Height() - h) / 2;
    r.right = r.left + w;
    r.bottom = r.top + h;
}

int CWnd::RunModalLoop() {
    m_bContinueModal = TRUE;
    bool inputEnded = false;
    while (m_bContinueModal) {
        if (wm().DispatchOnePosted()) continue;
        Backend* backend = wm().GetBackend();
        if (!inputEnded && backend != nullptr && backend->PumpInput()) continue;
        // Input has ended: close as the close box would; force it if the window refuses.
        if (!inputEnded) {
            inputEnded = true;
            SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
        } else {
            EndModalLoop(IDCANCEL);
        }
    }
    return m_nModalResult;
}

void CWnd::EndModalLoop(int nResult) {
    m_nModalResult = nResult;
    m_bContinueModal = FALSE;
}

#include "CWnd.h"

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "CDC.h"
#include "CMenu.h"
#include "CWinApp.h"
#include "ThreadState.h"

namespace {

// Objects attached to windows, kept sorted by handle: a program attaches a
// few dozen at most, and every message looks one up.
class PermanentMap {
public:
    CWnd* Lookup(HWND hWnd) const {
        const auto it = Find(hWnd);
        return it != m_entries.end() && it->first == hWnd ? it->second : nullptr;
    }
    void Set(HWND hWnd, CWnd* pWnd) {
        const auto it = Find(hWnd);
        if (it != m_entries.end() && it->first == hWnd)
            it->second = pWnd;
        else
            m_entries.insert(it, {hWnd, pWnd});
    }
    void Remove(HWND hWnd) {
        const auto it = Find(hWnd);
        if (it != m_entries.end() && it->first == hWnd) m_entries.erase(it);
    }

private:
    using Entries = std::vector<std::pair<HWND, CWnd*>>;
    Entries::const_iterator Find(HWND hWnd) const {
        return std::lower_bound(m_entries.begin(), m_entries.end(), hWnd,
                                [](const auto& entry, HWND h) { return std::less<HWND>()(entry.first, h); });
    }
    Entries::iterator Find(HWND hWnd) {
        return std::lower_bound(m_entries.begin(), m_entries.end(), hWnd,
                                [](const auto& entry, HWND h) { return std::less<HWND>()(entry.first, h); });
    }
    Entries m_entries;
};

PermanentMap g_permanentMap;

std::map<HWND, std::unique_ptr<CWnd>>& TemporaryMap() {
    static std::map<HWND, std::unique_ptr<CWnd>> map;
    return map;
}

}  // namespace

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
ON_WM_NCDESTROY()
ON_WM_HELPINFO()
END_MESSAGE_MAP()

CWnd::~CWnd() {
    // An object that goes before its window hands the window back to the procedure it replaced.
    if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this) {
        if (m_pfnSuper != nullptr && ::IsWindow(m_hWnd)) ::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        g_permanentMap.Remove(m_hWnd);
    }
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) { return g_permanentMap.Lookup(hWnd); }

CWnd* CWnd::FromHandle(HWND hWnd) {
    if (hWnd == nullptr) return nullptr;
    if (CWnd* wnd = FromHandlePermanent(hWnd)) return wnd;
    auto& temporary = TemporaryMap()[hWnd];
    if (!temporary) {
        temporary = std::make_unique<CWnd>();
        temporary->m_hWnd = hWnd;
    }
    return temporary.get();
}

void CWnd::DeleteTempMap() {
    std::erase_if(TemporaryMap(), [](const auto& entry) {
        if (::IsWindow(entry.first)) return false;
        entry.second->m_hWnd = nullptr;
        return true;
    });
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == nullptr) return ::DefWindowProc(hWnd, nMsg, wParam, lParam);
    return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
}

namespace {

// A dialog that is hidden, unmoved and unowned (or whose owner it disabled)
// after its initialisation, and that asks for it, is centred.
void PostInitDialog(CWnd* pWnd, const RECT& rectOld, DWORD dwStyleOld) {
    if (dwStyleOld & WS_VISIBLE) return;
    if (pWnd->GetStyle() & (WS_VISIBLE | WS_CHILD)) return;
    CRect rect;
    pWnd->GetWindowRect(&rect);
    if (rectOld.left != rect.left || rectOld.top != rect.top) return;
    CWnd* pOwner = pWnd->GetWindow(GW_OWNER);
    if (pOwner != nullptr && pOwner->IsWindowEnabled()) return;
    if (!pWnd->CheckAutoCenter()) return;
    pWnd->CenterWindow();
}

}  // namespace

LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    AFX_THREAD_STATE* state = AfxGetThreadState();
    const MSG oldState = state->m_lastSentMsg;
    state->m_lastSentMsg = MSG{hWnd, nMsg, wParam, lParam, 0, {0, 0}};
    CRect rectOld;
    DWORD dwStyle = 0;
    if (nMsg == WM_INITDIALOG) {
        pWnd->GetWindowRect(&rectOld);
        dwStyle = pWnd->GetStyle();
    }
    const LRESULT result = pWnd->WindowProc(nMsg, wParam, lParam);
    if (nMsg == WM_INITDIALOG && ::IsWindow(hWnd)) PostInitDialog(pWnd, rectOld, dwStyle);
    state->m_lastSentMsg = oldState;
    return result;
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
        if (ReflectLastMsg(reinterpret_cast<HWND>(lParam), message, wParam, lParam, pResult)) return TRUE;
    }
    const AFX_MSGMAP_ENTRY* entry = FindEntry(message, 0, 0);
    if (entry == nullptr) return FALSE;
    *pResult = entry->pfn(this, wParam, lParam);
    return TRUE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper != nullptr) return ::CallWindowProc(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProc(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
    const MSG& m = AfxGetThreadState()->m_lastSentMsg;
    return DefWindowProc(m.message, m.wParam, m.lParam);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT nID = LOWORD(wParam);
    const int nCode = HIWORD(wParam);
    auto hWndCtrl = reinterpret_cast<HWND>(lParam);
    if (hWndCtrl != nullptr) {
        // While this window runs a data exchange its controls' notifications are
        // dropped, so that writing a field never sets off another recalculation.
        if (AfxGetThreadState()->m_hLockoutNotifyWindow == m_hWnd) return TRUE;
        LRESULT ignored = 0;
        if (ReflectLastMsg(hWndCtrl, WM_COMMAND, wParam, lParam, &ignored)) return TRUE;
    }
    return OnCmdMsg(nID, nCode);
}

BOOL CWnd::ReflectLastMsg(HWND hWndChild, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    CWnd* pWnd = FromHandlePermanent(hWndChild);
    return pWnd != nullptr ? pWnd->OnChildNotify(message, wParam, lParam, pResult) : FALSE;
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
        const UINT nCtlColor = message - WM_CTLCOLORMSGBOX;
        const LRESULT brush = entry->pfn(this, wParam, nCtlColor);
        if (brush == 0) return FALSE;
        *pResult = brush;
        return TRUE;
    }
    return FALSE;
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg) {
    for (HWND hWnd = pMsg->hwnd; hWnd != nullptr; hWnd = ::GetParent(hWnd)) {
        if (CWnd* pWnd = FromHandlePermanent(hWnd); pWnd != nullptr && pWnd->PreTranslateMessage(pMsg)) return TRUE;
        // A top-level window is the last to look: its owner is not on the message's way.
        if (hWnd == hWndStop || !(::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD)) break;
    }
    return FALSE;
}

BOOL CWnd::PreTranslateInput(LPMSG lpMsg) {
    const bool key = lpMsg->message >= WM_KEYFIRST && lpMsg->message <= WM_KEYLAST;
    const bool mouse = lpMsg->message >= WM_MOUSEFIRST && lpMsg->message <= WM_MOUSELAST;
    return key || mouse ? IsDialogMessage(lpMsg) : FALSE;
}

BOOL CWnd::IsDialogMessage(LPMSG lpMsg) { return ::IsDialogMessage(m_hWnd, lpMsg); }

BOOL CWnd::Attach(HWND hWnd) {
    if (hWnd == nullptr || m_hWnd != nullptr) return FALSE;
    m_hWnd = hWnd;
    g_permanentMap.Set(hWnd, this);
    return TRUE;
}

HWND CWnd::Detach() {
    HWND hWnd = m_hWnd;
    if (hWnd != nullptr && FromHandlePermanent(hWnd) == this) g_permanentMap.Remove(hWnd);
    m_hWnd = nullptr;
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
    if (!::IsWindow(hWnd) || FromHandlePermanent(hWnd) != nullptr || !Attach(hWnd)) return FALSE;
    // Set-up runs before the object's handlers take over the window's messages.
    PreSubclassWindow();
    m_pfnSuper = reinterpret_cast<WNDPROC>(::SetWindowLongPtr(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    return TRUE;
}

void CWnd::OnNcDestroy() {
    // When the main window goes, the application is told to quit.
    if (CWinApp* app = AfxGetApp(); app != nullptr && app->m_pMainWnd == this) {
        app->m_pMainWnd = nullptr;
        ::PostQuitMessage(0);
    }
    const auto ownProcedure = reinterpret_cast<WNDPROC>(::GetWindowLongPtr(m_hWnd, GWLP_WNDPROC));
    Default();
    // Unless someone subclassed the window after us, it goes back to the procedure we replaced.
    if (m_pfnSuper != nullptr && reinterpret_cast<WNDPROC>(::GetWindowLongPtr(m_hWnd, GWLP_WNDPROC)) == ownProcedure)
        ::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    Detach();
    PostNcDestroy();
}

BOOL CWnd::OnHelpInfo(HELPINFO*) {
    // A request for help that reaches a top-level window becomes the application's help command.
    if (!(GetStyle() & WS_CHILD)) {
        if (CWnd* pMainWnd = AfxGetMainWnd()) {
            pMainWnd->SendMessage(WM_COMMAND, ID_HELP);
            return TRUE;
        }
    }
    return static_cast<BOOL>(Default());
}

BOOL CWnd::DestroyWindow() { return ::DestroyWindow(m_hWnd); }

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const { return ::SendMessage(m_hWnd, message, wParam, lParam); }

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const { return ::PostMessage(m_hWnd, message, wParam, lParam); }

CWnd* CWnd::GetDlgItem(int nID) const { return FromHandle(::GetDlgItem(m_hWnd, nID)); }
CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
CWnd* CWnd::GetWindow(UINT nCmd) const { return FromHandle(::GetWindow(m_hWnd, nCmd)); }

CWnd* CWnd::GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious) const {
    return FromHandle(::GetNextDlgTabItem(m_hWnd, pWndCtl ? pWndCtl->m_hWnd : nullptr, bPrevious));
}

int CWnd::GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }

void CWnd::SetWindowText(LPCSTR lpszString) { ::SetWindowText(m_hWnd, lpszString); }

int CWnd::GetWindowTextLength() const { return ::GetWindowTextLength(m_hWnd); }

void CWnd::GetWindowText(CString& rString) const { rString = AfxGetWindowText(m_hWnd); }

CString AfxGetWindowText(HWND hWnd) {
    // Most texts fit a small buffer and are read with one message; a text
    // that may not have fitted is measured and read again whole.
    char small[256];
    const int read = ::GetWindowText(hWnd, small, static_cast<int>(sizeof small));
    if (read >= 0 && read < static_cast<int>(sizeof small) - 1) return CString(small, static_cast<std::size_t>(read));
    const int length = ::GetWindowTextLength(hWnd);
    std::string buffer(static_cast<std::size_t>(length < 0 ? 0 : length) + 1, '\0');
    const int stored = ::GetWindowText(hWnd, buffer.data(), static_cast<int>(buffer.size()));
    buffer.resize(static_cast<std::size_t>(stored < 0 ? 0 : stored));
    return buffer;
}

DWORD CWnd::GetStyle() const { return static_cast<DWORD>(::GetWindowLong(m_hWnd, GWL_STYLE)); }

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT) {
    const DWORD old = GetStyle();
    const DWORD style = (old & ~dwRemove) | dwAdd;
    if (style == old) return FALSE;
    ::SetWindowLong(m_hWnd, GWL_STYLE, static_cast<LONG>(style));
    return TRUE;
}

void CWnd::GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }
void CWnd::GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(m_hWnd, lpRect); }

void CWnd::ScreenToClient(LPRECT lpRect) const {
    POINT corners[2] = {{lpRect->left, lpRect->top}, {lpRect->right, lpRect->bottom}};
    ::ScreenToClient(m_hWnd, &corners[0]);
    ::ScreenToClient(m_hWnd, &corners[1]);
    *lpRect = RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

void CWnd::ScreenToClient(LPPOINT lpPoint) const { ::ScreenToClient(m_hWnd, lpPoint); }
void CWnd::ClientToScreen(LPPOINT lpPoint) const { ::ClientToScreen(m_hWnd, lpPoint); }

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags) {
    return ::SetWindowPos(m_hWnd, pWndInsertAfter ? pWndInsertAfter->m_hWnd : nullptr, x, y, cx, cy, nFlags);
}

BOOL CWnd::ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
void CWnd::InvalidateRect(LPCRECT lpRect, BOOL bErase) { ::InvalidateRect(m_hWnd, lpRect, bErase); }
BOOL CWnd::IsIconic() const { return ::IsIconic(m_hWnd); }
BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
BOOL CWnd::EnableWindow(BOOL bEnable) { return ::EnableWindow(m_hWnd, bEnable); }
CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
CWnd* CWnd::GetFocus() { return FromHandle(::GetFocus()); }

CMenu* CWnd::GetSystemMenu(BOOL bRevert) const { return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert)); }

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon) {
    return reinterpret_cast<HICON>(SendMessage(WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(hIcon)));
}

CPoint CWnd::GetCaretPos() {
    POINT p{0, 0};
    ::GetCaretPos(&p);
    return p;
}

void CWnd::SetCaretPos(POINT point) { ::SetCaretPos(point.x, point.y); }

void CWnd::CenterWindow(CWnd* pAlternateOwner) {
    // Over the owner when it shows, otherwise in the middle of the work area.
    HWND hWndCenter = pAlternateOwner != nullptr ? pAlternateOwner->m_hWnd : ::GetWindow(m_hWnd, GW_OWNER);
    if (hWndCenter != nullptr) {
        const auto style = static_cast<DWORD>(::GetWindowLong(hWndCenter, GWL_STYLE));
        if (!(style & WS_VISIBLE) || (style & WS_MINIMIZE)) hWndCenter = nullptr;
    }
    CRect work;
    ::SystemParametersInfo(SPI_GETWORKAREA, 0, static_cast<RECT*>(&work), 0);
    CRect area = work;
    if (hWndCenter != nullptr) ::GetWindowRect(hWndCenter, &area);
    CRect rect;
    GetWindowRect(&rect);
    // Kept on the work area, its top-left corner first: a window larger than the
    // screen still shows its caption and can be moved.
    const auto place = [](int centred, int size, int from, int to) { return std::max(from, std::min(centred, to - size)); };
    const int left = place(area.left + (area.Width() - rect.Width()) / 2, rect.Width(), work.left, work.right);
    const int top = place(area.top + (area.Height() - rect.Height()) / 2, rect.Height(), work.top, work.bottom);
    SetWindowPos(nullptr, left, top, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL AfxPreTranslateMessage(MSG* pMsg) {
    CWnd* pMainWnd = AfxGetMainWnd();
    return CWnd::WalkPreTranslateTree(pMainWnd != nullptr ? pMainWnd->m_hWnd : nullptr, pMsg);
}

BOOL AfxPumpMessage() {
    MSG msg{};
    if (!::GetMessage(&msg, nullptr, 0, 0)) return FALSE;
    if (!AfxPreTranslateMessage(&msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
    return TRUE;
}

int CWnd::RunModalLoop(DWORD dwFlags) {
    bool idle = true;
    bool showOnIdle = (dwFlags & MLF_SHOWONIDLE) && !(GetStyle() & WS_VISIBLE);
    m_bContinueModal = TRUE;
    MSG msg{};
    for (;;) {
        // The queue has gone quiet: show the window if it waits for that, and tidy up.
        while (idle && !::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (showOnIdle) {
                ShowWindow(SW_SHOWNORMAL);
                ::UpdateWindow(m_hWnd);
                showOnIdle = false;
            }
            DeleteTempMap();
            CDC::DeleteTempMap();
            idle = false;
        }
        do {
            if (!AfxPumpMessage()) {
                // The program is quitting: leave the quit for the loops further out.
                ::PostQuitMessage(0);
                return -1;
            }
            if (!ContinueModal()) return m_nModalResult;
        } while (::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE));
        idle = true;
    }
}

void CWnd::EndModalLoop(int nResult) {
    m_nModalResult = nResult;
    if (!m_bContinueModal) return;
    m_bContinueModal = FALSE;
    // Wakes the loop, which may be waiting for a message.
    ::PostMessage(m_hWnd, WM_NULL, 0, 0);
}

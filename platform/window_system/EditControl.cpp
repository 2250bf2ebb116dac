#include "EditControl.h"

#include <algorithm>
#include <cstring>

#include "Backend.h"
#include "Clipboard.h"
#include "DefaultProcedure.h"
#include "Icon.h"
#include "InterfaceLanguage.h"
#include "Menu.h"
#include "Utf8.h"
#include "WindowApi.h"
#include "WindowManager.h"

namespace {

const TextMetrics& Metrics() { return WindowManager::Instance().Metrics(); }
int Margin() { return WindowManager::Instance().GetBackend()->Frames().editMargin; }
bool ShiftHeld() { return GetAsyncKeyState(VK_SHIFT) < 0; }
bool CtrlHeld() { return GetAsyncKeyState(VK_CONTROL) < 0; }

// Context-menu commands; the ids stand for the messages they send.
enum : UINT { kMenuUndo = 1, kMenuCut, kMenuCopy, kMenuPaste, kMenuDelete, kMenuSelectAll };

}  // namespace

EditControl* EditControlOf(HWND hWnd) {
    if (!IsWindow(hWnd) || hWnd->windowClass != WindowClass::Edit) return nullptr;
    return dynamic_cast<EditControl*>(hWnd->procedure.get());
}

bool EditControl::ReadOnly(HWND hWnd) const { return (hWnd->style & ES_READONLY) != 0; }

int EditControl::LineHeight() const { return Metrics().Height(); }

int EditControl::TextTop(HWND hWnd) const {
    const Rect client = WindowManager::Instance().ClientRect(hWnd);
    return std::max(0, (client.Height() - LineHeight()) / 2);
}

int EditControl::XOfIndex(HWND hWnd, int index) const {
    const std::string& text = m_model.Text();
    index = std::clamp(index, 0, m_model.Length());
    const int client = WindowManager::Instance().ClientRect(hWnd).Width();
    const int textWidth = Metrics().TextWidth(text);
    const int room = client - 2 * Margin();
    int align = 0;
    if (textWidth < room) {
        if (hWnd->style & ES_CENTER)
            align = (room - textWidth) / 2;
        else if (hWnd->style & ES_RIGHT)
            align = room - textWidth;
    }
    return Margin() + align + Metrics().TextWidth(std::string_view(text).substr(0, static_cast<std::size_t>(index))) - m_scrollX;
}

int EditControl::CharFromX(HWND hWnd, int x) const {
    int index = 0;
    while (index < m_model.Length()) {
        const int next = m_model.NextBoundary(index);
        const int left = XOfIndex(hWnd, index);
        const int right = XOfIndex(hWnd, next);
        if (x < (left + right + 1) / 2) return index;
        index = next;
    }
    return m_model.Length();
}

void EditControl::ScrollToCaret(HWND hWnd) {
    if (!(hWnd->style & ES_AUTOHSCROLL)) return;
    const int client = WindowManager::Instance().ClientRect(hWnd).Width();
    const int x = XOfIndex(hWnd, m_model.Caret());
    if (x < Margin())
        m_scrollX -= Margin() - x;
    else if (x > client - Margin() - 1)
        m_scrollX += x - (client - Margin() - 1);
    // Never leave blank room on the right while text is hidden on the left.
    const int textWidth = Metrics().TextWidth(m_model.Text());
    m_scrollX = std::clamp(m_scrollX, 0, std::max(0, textWidth - (client - 2 * Margin() - 1)));
}

void EditControl::SelectionChanged(HWND hWnd) {
    if (m_focused) SetCaretPos(XOfIndex(hWnd, m_model.Caret()), TextTop(hWnd));
    WindowManager::Instance().Invalidate(hWnd);
}

void EditControl::TextChanged(HWND hWnd) {
    ScrollToCaret(hWnd);
    SelectionChanged(hWnd);
    NotifyParent(hWnd, EN_UPDATE);
    NotifyParent(hWnd, EN_CHANGE);
}

void EditControl::Replace(HWND hWnd, std::string_view text, bool typing) {
    m_model.ReplaceSelection(text, typing);
    TextChanged(hWnd);
}

void EditControl::OnChar(HWND hWnd, UINT ch) {
    switch (ch) {
    case 0x03: SendMessage(hWnd, WM_COPY, 0, 0); return;
    case 0x16: SendMessage(hWnd, WM_PASTE, 0, 0); return;
    case 0x18: SendMessage(hWnd, WM_CUT, 0, 0); return;
    case 0x1A: SendMessage(hWnd, WM_UNDO, 0, 0); return;
    case 0x01:
        m_model.SelectAll();
        SelectionChanged(hWnd);
        return;
    default: break;
    }
    if (ReadOnly(hWnd)) return;
    if (ch == VK_BACK) {
        if (!m_model.HasSelection() && m_model.Caret() == 0) return;
        m_model.DeleteBack();
        TextChanged(hWnd);
        return;
    }
    if (ch < 0x20 || ch == 0x7F) return;
    if ((hWnd->style & ES_NUMBER) && (ch < '0' || ch > '9')) return;
    Replace(hWnd, EncodeUtf8(ch), true);
}

void EditControl::OnKeyDown(HWND hWnd, UINT vk) {
    const bool shift = ShiftHeld();
    const bool ctrl = CtrlHeld();
    switch (vk) {
    case VK_LEFT:
    case VK_UP: m_model.MoveLeft(shift, ctrl); break;
    case VK_RIGHT:
    case VK_DOWN: m_model.MoveRight(shift, ctrl); break;
    case VK_HOME: m_model.MoveHome(shift); break;
    case VK_END: m_model.MoveEnd(shift); break;
    case VK_DELETE: OnDeleteKey(hWnd, shift, ctrl); return;
    case VK_INSERT:
        if (shift)
            SendMessage(hWnd, WM_PASTE, 0, 0);
        else if (ctrl)
            SendMessage(hWnd, WM_COPY, 0, 0);
        return;
    default: return;
    }
    ScrollToCaret(hWnd);
    SelectionChanged(hWnd);
}

// Delete takes the selection (Shift+Delete cuts it); with none, the character
// after the caret, the one before it with Shift, the rest of the line with Ctrl.
void EditControl::OnDeleteKey(HWND hWnd, bool shift, bool ctrl) {
    if (ReadOnly(hWnd) || (shift && ctrl)) return;
    if (m_model.HasSelection() && shift) {
        SendMessage(hWnd, WM_CUT, 0, 0);
        return;
    }
    if (!m_model.HasSelection()) {
        if (shift)
            m_model.MoveLeft(true, false);
        else if (ctrl)
            m_model.MoveEnd(true);
        else
            m_model.MoveRight(true, false);
        if (!m_model.HasSelection()) return;
    }
    m_model.DeleteForward();
    TextChanged(hWnd);
}

void EditControl::OnLButtonDown(HWND hWnd, WPARAM flags, Point point) {
    if (GetFocus() != hWnd) SetFocus(hWnd);
    SetCapture(hWnd);
    m_model.MoveTo(CharFromX(hWnd, point.x), (flags & MK_SHIFT) != 0);
    ScrollToCaret(hWnd);
    SelectionChanged(hWnd);
}

void EditControl::OnMouseMove(HWND hWnd, WPARAM flags, Point point) {
    if (GetCapture() != hWnd || !(flags & MK_LBUTTON)) return;
    m_model.MoveTo(CharFromX(hWnd, point.x), true);
    ScrollToCaret(hWnd);
    SelectionChanged(hWnd);
}

void EditControl::OnContextMenu(HWND hWnd, LPARAM where) {
    // The items are as the field was when the user asked: taking the focus may change its selection.
    const bool readOnly = ReadOnly(hWnd);
    const bool selected = m_model.HasSelection();
    const auto flag = [](bool enabled) { return enabled ? MF_STRING : MF_STRING | MF_GRAYED; };
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, flag(m_model.CanUndo() && !readOnly), kMenuUndo, InterfaceText("撤消(&U)", "&Undo"));
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, flag(selected && !readOnly), kMenuCut, InterfaceText("剪切(&T)", "Cu&t"));
    AppendMenuA(menu, flag(selected), kMenuCopy, InterfaceText("复制(&C)", "&Copy"));
    // Where the system clipboard cannot be looked into before a paste, Paste is offered whatever it holds.
    Backend* backend = WindowManager::Instance().GetBackend();
    const bool pastable = IsClipboardFormatAvailable(CF_TEXT) || (backend != nullptr && backend->SystemClipboardUnseen());
    AppendMenuA(menu, flag(!readOnly && pastable), kMenuPaste, InterfaceText("粘贴(&P)", "&Paste"));
    AppendMenuA(menu, flag(selected && !readOnly), kMenuDelete, InterfaceText("删除(&D)", "&Delete"));
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, flag(m_model.Length() > 0 && !(m_model.SelStart() == 0 && m_model.SelEnd() == m_model.Length())), kMenuSelectAll,
                InterfaceText("全选(&A)", "Select &All"));
    if (GetFocus() != hWnd) SetFocus(hWnd);
    // The menu opens at the pointer; one asked for from the keyboard opens at the field's middle.
    Point at{static_cast<short>(LOWORD(where)), static_cast<short>(HIWORD(where))};
    if (where == -1) {
        RECT client{};
        GetClientRect(hWnd, &client);
        POINT middle{client.right / 2, client.bottom / 2};
        ClientToScreen(hWnd, &middle);
        at = {middle.x, middle.y};
    }
    const UINT chosen = TrackMenu(menu, hWnd, at);
    DestroyMenu(menu);
    // Each item goes through the message a program would send, so a control
    // that handles those messages itself gets them from the menu too.
    switch (chosen) {
    case kMenuUndo: SendMessage(hWnd, WM_UNDO, 0, 0); break;
    case kMenuCut: SendMessage(hWnd, WM_CUT, 0, 0); break;
    case kMenuCopy: SendMessage(hWnd, WM_COPY, 0, 0); break;
    case kMenuPaste:
        if (backend == nullptr || backend->TakeSystemClipboard()) SendMessage(hWnd, WM_PASTE, 0, 0);
        break;
    case kMenuDelete: SendMessage(hWnd, WM_CLEAR, 0, 0); break;
    case kMenuSelectAll: SendMessage(hWnd, EM_SETSEL, 0, -1); break;
    default: break;
    }
}

void EditControl::OnSetFocus(HWND hWnd) {
    m_focused = true;
    CreateCaret(hWnd, nullptr, 1, LineHeight());
    SelectionChanged(hWnd);
    ShowCaret(hWnd);
    NotifyParent(hWnd, EN_SETFOCUS);
}

void EditControl::OnKillFocus(HWND hWnd) {
    m_focused = false;
    if (WindowManager::Instance().GetCaret().owner == hWnd) DestroyCaret();
    WindowManager::Instance().Invalidate(hWnd);
    NotifyParent(hWnd, EN_KILLFOCUS);
}

void EditControl::OnCopy(HWND hWnd) {
    if (!m_model.HasSelection() || !OpenClipboard(hWnd)) return;
    EmptyClipboard();
    const std::string text = m_model.SelectedText();
    HGLOBAL block = GlobalAlloc(GMEM_DDESHARE, text.size() + 1);
    std::memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    SetClipboardData(CF_TEXT, block);
    CloseClipboard();
}

void EditControl::OnPaste(HWND hWnd) {
    if (ReadOnly(hWnd) || !OpenClipboard(hWnd)) return;
    std::string text;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        auto* block = static_cast<HGLOBAL>(data);
        text = static_cast<const char*>(GlobalLock(block));
        GlobalUnlock(block);
    }
    CloseClipboard();
    // A single-line field takes the first line only.
    text = text.substr(0, text.find_first_of("\r\n"));
    if (text.empty()) return;
    Replace(hWnd, text, false);
}

void EditControl::OnClear(HWND hWnd) {
    if (ReadOnly(hWnd) || !m_model.HasSelection()) return;
    Replace(hWnd, {}, false);
}

LRESULT EditControl::Handle(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETTEXT:
        m_model.SetText(lParam ? reinterpret_cast<const char*>(lParam) : "");
        m_scrollX = 0;
        TextChanged(hWnd);
        return TRUE;
    case WM_GETTEXT: return CopyWindowText(m_model.Text(), wParam, lParam);
    case WM_GETTEXTLENGTH: return m_model.Length();
    case EM_GETSEL: {
        if (wParam) *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(m_model.SelStart());
        if (lParam) *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(m_model.SelEnd());
        return static_cast<LRESULT>(MAKELONG(static_cast<unsigned>(m_model.SelStart()), static_cast<unsigned>(m_model.SelEnd())));
    }
    case EM_SETSEL:
        m_model.SetSel(static_cast<int>(static_cast<std::intptr_t>(wParam)), static_cast<int>(lParam));
        SelectionChanged(hWnd);
        // The platform documents no answer; its edit control answers TRUE, and so does this one.
        return TRUE;
    case EM_SCROLLCARET:
        ScrollToCaret(hWnd);
        SelectionChanged(hWnd);
        return TRUE;
    case EM_REPLACESEL: Replace(hWnd, lParam ? reinterpret_cast<const char*>(lParam) : "", false); return 0;
    case EM_CANUNDO: return m_model.CanUndo() ? TRUE : FALSE;
    case EM_UNDO:
    case WM_UNDO:
        if (ReadOnly(hWnd) || !m_model.Undo()) return FALSE;
        TextChanged(hWnd);
        return TRUE;
    case EM_SETREADONLY:
        if (wParam)
            hWnd->style |= ES_READONLY;
        else
            hWnd->style &= ~ES_READONLY;
        WindowManager::Instance().Invalidate(hWnd);
        return TRUE;
    case EM_CHARFROMPOS: return CharFromX(hWnd, static_cast<short>(LOWORD(lParam)));
    case EM_POSFROMCHAR: {
        const int index = static_cast<int>(wParam);
        if (index < 0 || index >= m_model.Length()) return -1;
        return static_cast<LRESULT>(MAKELONG(static_cast<unsigned>(XOfIndex(hWnd, index)), static_cast<unsigned>(TextTop(hWnd))));
    }
    case WM_CUT:
        OnCopy(hWnd);
        OnClear(hWnd);
        return 0;
    case WM_COPY: OnCopy(hWnd); return 0;
    case WM_PASTE: OnPaste(hWnd); return 0;
    case WM_CLEAR: OnClear(hWnd); return 0;
    case WM_CHAR: OnChar(hWnd, static_cast<UINT>(wParam)); return 0;
    case WM_KEYDOWN: OnKeyDown(hWnd, static_cast<UINT>(wParam)); return 0;
    case WM_LBUTTONDOWN: OnLButtonDown(hWnd, wParam, {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))}); return 0;
    case WM_MOUSEMOVE: OnMouseMove(hWnd, wParam, {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))}); return 0;
    case WM_LBUTTONUP:
        if (GetCapture() == hWnd) ReleaseCapture();
        return 0;
    case WM_LBUTTONDBLCLK:
        m_model.SelectWordAt(CharFromX(hWnd, static_cast<short>(LOWORD(lParam))));
        SelectionChanged(hWnd);
        return 0;
    case WM_CONTEXTMENU: OnContextMenu(hWnd, lParam); return 0;
    case WM_SETFOCUS: OnSetFocus(hWnd); return 0;
    case WM_KILLFOCUS: OnKillFocus(hWnd); return 0;
    case WM_GETDLGCODE: return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    case WM_SETCURSOR:
        if (LOWORD(lParam) != HTCLIENT) return DefWindowProcA(hWnd, message, wParam, lParam);
        SetCursor(LoadCursor(nullptr, IDC_IBEAM));
        return TRUE;
    default: return DefWindowProcA(hWnd, message, wParam, lParam);
    }
}

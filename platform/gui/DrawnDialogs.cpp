#include "DrawnDialogs.h"

#include <algorithm>

#include "../window_system/Menu.h"
#include "../window_system/MenuLayout.h"
#include "../window_system/WindowManager.h"
#include "Renderer.h"

namespace {
WindowManager& wm() { return WindowManager::Instance(); }
// The desktop's usual caret blink.
constexpr DWORD kBlinkMs = 530;
}  // namespace

void DrawnDialogs::Repaint(const Rect& area) {
    m_due = true;
    if (!m_all) m_area = m_area.Union(area);
}

void DrawnDialogs::RepaintAll() {
    m_due = true;
    m_all = true;
}

void DrawnDialogs::Invalidate(HWND hWnd, Point origin) {
    // A control stays where it is; a top-level window that moved leaves its
    // old place behind as well, which only a whole frame covers.
    if (!IsWindow(hWnd) || !hWnd->IsChild()) {
        RepaintAll();
        return;
    }
    Rect area = wm().ScreenRect(hWnd);
    area.OffsetRect(-origin.x, -origin.y);
    Repaint(area);
}

void DrawnDialogs::RepaintCaret(Point origin) {
    const Caret& caret = wm().GetCaret();
    if (!IsWindow(caret.owner)) return;
    const Point client = wm().ClientOrigin(caret.owner);
    const int left = client.x - origin.x + caret.pos.x;
    const int top = client.y - origin.y + caret.pos.y;
    Repaint({left, top, left + std::max(1, caret.width), top + caret.height});
}

int DrawnDialogs::BlinkCaret(bool blinking, Point origin) {
    if (!blinking) return -1;
    const DWORD now = GetTickCount();
    const bool caretOn = ((now - m_caretEpoch) / kBlinkMs) % 2 == 0;
    if (caretOn != m_caretShown) {
        m_caretShown = caretOn;
        RepaintCaret(origin);
    }
    return static_cast<int>(kBlinkMs - (now - m_caretEpoch) % kBlinkMs);
}

void DrawnDialogs::Drawn() {
    m_all = false;
    m_area = {};
}

bool DrawnDialogs::OnButton(const Backend& backend, Point screen, bool down, bool right) {
    if (TrackedMenu* menu = GetTrackedMenu()) {
        const MenuBox box = backend.MenuBoxOf(*menu);
        // A press outside closes the menu and still reaches what it was meant for.
        if (box.rect.PtInRect(screen) || !down) {
            if (!down && box.rect.PtInRect(screen))
                for (const MenuItemBox& item : box.items)
                    if (item.rect.PtInRect(screen)) ChooseMenuItem(item.index);
            return true;
        }
    }
    return !right && OnCaption(backend, screen, down);
}

bool DrawnDialogs::OnCaption(const Backend& backend, Point screen, bool down) {
    HWND dialog = wm().ActiveDialog();
    if (dialog == nullptr) return false;
    const Rect r = wm().ScreenRect(dialog);
    const Point p{screen.x - r.left, screen.y - r.top};
    const CaptionParts parts = CaptionLayout(dialog, backend.Metrics());
    if (down && parts.icon.PtInRect(p)) {
        SendMessage(dialog, WM_SYSCOMMAND, SC_MOUSEMENU, 0);
        return true;
    }
    if (down && parts.closeBox.PtInRect(p)) {
        m_closePressed = dialog;
        return true;
    }
    if (!down && m_closePressed != nullptr) {
        HWND pressed = m_closePressed;
        m_closePressed = nullptr;
        if (pressed == dialog && parts.closeBox.PtInRect(p)) SendMessage(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        return true;
    }
    return parts.caption.PtInRect(p);
}

bool DrawnDialogs::OnMove(const Backend& backend, Point screen) {
    TrackedMenu* menu = GetTrackedMenu();
    if (menu == nullptr) return false;
    const MenuBox box = backend.MenuBoxOf(*menu);
    int highlight = -1;
    for (const MenuItemBox& item : box.items)
        if (item.rect.PtInRect(screen) && menu->menu->items[static_cast<std::size_t>(item.index)].IsEnabled()) highlight = item.index;
    if (highlight != menu->highlight) {
        menu->highlight = highlight;
        RepaintAll();
    }
    return true;
}

#include "Menu.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <map>
#include <memory>

#include "InterfaceLanguage.h"
#include "MenuLayout.h"
#include "WindowManager.h"

namespace {

std::deque<std::unique_ptr<MenuObject>>& MenuStore() {
    static std::deque<std::unique_ptr<MenuObject>> store;
    return store;
}

std::vector<TrackedMenu*>& MenuStack() {
    static std::vector<TrackedMenu*> stack;
    return stack;
}

char MnemonicOf(const std::string& text) {
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == '&') {
            if (text[i + 1] == '&') {
                ++i;
                continue;
            }
            const char c = text[i + 1];
            return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
        }
    }
    return 0;
}

}  // namespace

HMENU WINAPI CreatePopupMenu() {
    MenuStore().push_back(std::make_unique<MenuObject>());
    return MenuStore().back().get();
}

BOOL WINAPI DestroyMenu(HMENU hMenu) {
    const auto before = MenuStore().size();
    std::erase_if(MenuStore(), [hMenu](const std::unique_ptr<MenuObject>& m) { return m.get() == hMenu; });
    return MenuStore().size() != before ? TRUE : FALSE;
}

BOOL WINAPI AppendMenuA(HMENU hMenu, UINT flags, UINT_PTR idNewItem, LPCSTR newItem) {
    if (hMenu == nullptr) return FALSE;
    hMenu->items.push_back({flags, static_cast<UINT>(idNewItem), newItem != nullptr ? newItem : ""});
    return TRUE;
}

HMENU WINAPI GetSystemMenu(HWND hWnd, BOOL revert) {
    if (!IsWindow(hWnd) || !(hWnd->style & WS_SYSMENU)) return nullptr;
    if (revert) {
        if (hWnd->systemMenu != nullptr) DestroyMenu(hWnd->systemMenu);
        hWnd->systemMenu = nullptr;
        return nullptr;
    }
    if (hWnd->systemMenu == nullptr) {
        // The items a dialog frame without minimise and maximise boxes offers.
        hWnd->systemMenu = CreatePopupMenu();
        AppendMenuA(hWnd->systemMenu, MF_STRING, SC_MOVE, InterfaceText("移动(&M)", "&Move"));
        AppendMenuA(hWnd->systemMenu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(hWnd->systemMenu, MF_STRING, SC_CLOSE, InterfaceText("关闭(&C)\tAlt+F4", "&Close\tAlt+F4"));
    }
    return hWnd->systemMenu;
}

// A menu that was closed is not tracked any more, though its loop has yet to
// see it: a box that closed it takes the input meanwhile.
namespace {

// The menu's window goes at once, before the menu's loop next looks.
void Close(TrackedMenu& menu) {
    menu.open = false;
    if (IsWindow(menu.window)) menu.window->style &= ~WS_VISIBLE;
    WindowManager::Instance().Invalidate(GetAncestor(menu.owner, GA_ROOT));
}

}  // namespace

TrackedMenu* GetTrackedMenu() { return MenuStack().empty() || !MenuStack().back()->open ? nullptr : MenuStack().back(); }

namespace {

// An open menu takes the keyboard and the mouse buttons for itself.
bool MenuTakes(const MSG& msg) {
    switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        switch (msg.wParam) {
        case VK_UP:
        case VK_DOWN:
        case VK_HOME:
        case VK_END:
        case VK_RETURN:
        case VK_ESCAPE:
        case VK_MENU: MenuKeyDown(static_cast<UINT>(msg.wParam)); break;
        default: WindowManager::Instance().Translate(msg); break;  // letters reach the menu as characters (mnemonics)
        }
        return true;
    case WM_CHAR:
    case WM_SYSCHAR: MenuChar(static_cast<UINT>(msg.wParam)); return true;
    case WM_KEYUP:
    case WM_SYSKEYUP: return true;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_LBUTTONDBLCLK: DismissMenu(); return true;
    default: return false;
    }
}

}  // namespace

UINT TrackMenu(HMENU hMenu, HWND owner, Point screenPosition) {
    if (hMenu == nullptr || hMenu->items.empty()) return 0;
    TrackedMenu tracked{hMenu, owner, screenPosition, -1, true, 0};
    WindowManager& wm = WindowManager::Instance();
    // The menu's own window, as other code finds an open menu: it is no
    // top-level window of the program's, so back ends draw it from the menu.
    tracked.window = wm.CreateWindowState(WindowClass::MenuPopup, std::make_unique<MenuPopupProcedure>(hMenu));
    tracked.window->style = WS_POPUP | WS_VISIBLE;
    tracked.window->parent = owner;
    MenuStack().push_back(&tracked);
    // The popup window covers the menu, as other code may ask of it.
    if (Backend* backend = wm.GetBackend()) tracked.window->rect = backend->MenuBoxOf(tracked).rect;
    // The menu lies over the owner's dialog and past the owner itself: it is
    // the dialog that shows it, and shows what was under it once it closes.
    HWND shownOn = GetAncestor(owner, GA_ROOT);
    wm.Invalidate(shownOn);
    while (tracked.open) {
        MSG msg{};
        if (!wm.Peek(&msg, true)) {
            if (!wm.PumpInput()) tracked.open = false;
            continue;
        }
        if (msg.message == WM_QUIT) {
            // The program is quitting: leave the quit for the loops further out.
            wm.PostQuit(static_cast<int>(msg.wParam));
            tracked.open = false;
        } else if (!MenuTakes(msg)) {
            wm.Translate(msg);
            wm.Send(msg.hwnd, msg.message, msg.wParam, msg.lParam);
        }
    }
    MenuStack().pop_back();
    wm.Destroy(tracked.window);
    wm.Invalidate(shownOn);
    return tracked.chosen;
}

void ChooseMenuItem(int index) {
    TrackedMenu* menu = GetTrackedMenu();
    if (menu == nullptr || index < 0 || index >= static_cast<int>(menu->menu->items.size())) return;
    const MenuItem& item = menu->menu->items[index];
    if (!item.IsEnabled()) return;
    menu->chosen = item.id;
    Close(*menu);
}

// Enter and Space: the highlighted item if it can be chosen; else the menu just closes.
void ChooseHighlightedItem() {
    TrackedMenu* menu = GetTrackedMenu();
    if (menu == nullptr) return;
    const int index = menu->highlight;
    if (index >= 0 && index < static_cast<int>(menu->menu->items.size()) && menu->menu->items[index].IsEnabled())
        ChooseMenuItem(index);
    else
        DismissMenu();
}

void DismissMenu() {
    if (TrackedMenu* menu = GetTrackedMenu()) Close(*menu);
}

void MenuKeyDown(UINT vk) {
    TrackedMenu* menu = GetTrackedMenu();
    if (menu == nullptr) return;
    const int count = static_cast<int>(menu->menu->items.size());
    // The arrows pass over separators only: a greyed item can be highlighted, though not chosen.
    const auto step = [&](int direction) {
        for (int tries = 0; tries < count; ++tries) {
            menu->highlight = (menu->highlight + direction + count) % count;
            if (!menu->menu->items[menu->highlight].IsSeparator()) return;
        }
    };
    switch (vk) {
    case VK_DOWN: step(1); break;
    case VK_UP:
        if (menu->highlight < 0) menu->highlight = 0;
        step(-1);
        break;
    case VK_HOME:
        menu->highlight = -1;
        step(1);
        break;
    case VK_END:
        menu->highlight = 0;
        step(-1);
        break;
    case VK_RETURN: ChooseHighlightedItem(); break;
    case VK_ESCAPE:
    case VK_MENU: DismissMenu(); break;
    default: break;
    }
    WindowManager::Instance().Invalidate(GetAncestor(menu->owner, GA_ROOT));
}

void MenuChar(UINT ch) {
    TrackedMenu* menu = GetTrackedMenu();
    if (menu == nullptr || ch >= 0x80) return;
    if (ch == ' ') {
        ChooseHighlightedItem();
        return;
    }
    const char upper = (ch >= 'a' && ch <= 'z') ? static_cast<char>(ch - 'a' + 'A') : static_cast<char>(ch);
    for (int i = 0; i < static_cast<int>(menu->menu->items.size()); ++i) {
        const MenuItem& item = menu->menu->items[i];
        if (item.IsEnabled() && MnemonicOf(item.text) == upper) {
            ChooseMenuItem(i);
            return;
        }
    }
}

std::string MenuItemLabel(const std::string& text) {
    // Shortened in place: the label is never longer than its text.
    std::string label = text;
    std::size_t length = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) ++i;
        label[length++] = text[i];
    }
    label.resize(length);
    return label;
}

std::vector<HWND> MenuPopupWindows() {
    std::vector<HWND> windows;
    for (auto it = MenuStack().rbegin(); it != MenuStack().rend(); ++it) windows.push_back((*it)->window);
    return windows;
}

LRESULT MenuPopupProcedure::Handle(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == MN_GETHMENU) return reinterpret_cast<LRESULT>(m_menu);
    return DefWindowProcA(hWnd, message, wParam, lParam);
}

namespace {

// The item at a position, or the first with the command id.
const MenuItem* FindItem(HMENU menu, UINT item, UINT flags) {
    if (menu == nullptr) return nullptr;
    if (flags & MF_BYPOSITION) return item < menu->items.size() ? &menu->items[item] : nullptr;
    for (const MenuItem& entry : menu->items)
        if (!entry.IsSeparator() && entry.id == item) return &entry;
    return nullptr;
}

}  // namespace

int WINAPI GetMenuItemCount(HMENU menu) { return menu != nullptr ? static_cast<int>(menu->items.size()) : -1; }

UINT WINAPI GetMenuState(HMENU menu, UINT item, UINT flags) {
    const MenuItem* entry = FindItem(menu, item, flags);
    return entry != nullptr ? entry->flags & (MF_GRAYED | MF_DISABLED | MF_SEPARATOR) : static_cast<UINT>(-1);
}

int WINAPI GetMenuStringA(HMENU menu, UINT item, LPSTR text, int maxCount, UINT flags) {
    const MenuItem* entry = FindItem(menu, item, flags);
    if (entry == nullptr || entry->IsSeparator()) return 0;
    if (text == nullptr || maxCount <= 0) return static_cast<int>(entry->text.size());
    const std::size_t n = std::min(entry->text.size(), static_cast<std::size_t>(maxCount - 1));
    std::memcpy(text, entry->text.data(), n);
    text[n] = '\0';
    return static_cast<int>(n);
}

BOOL WINAPI EndMenu() {
    if (GetTrackedMenu() == nullptr) return FALSE;
    while (GetTrackedMenu() != nullptr) DismissMenu();
    return TRUE;
}

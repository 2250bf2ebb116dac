#include "Menu.h"

#include <deque>
#include <map>
#include <memory>

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

std::map<HMENU, std::unique_ptr<CMenu>>& Wrappers() {
    static std::map<HMENU, std::unique_ptr<CMenu>> wrappers;
    return wrappers;
}

}  // namespace

CMenu* CMenu::FromHandle(HMENU hMenu) {
    if (hMenu == nullptr) return nullptr;
    auto& slot = Wrappers()[hMenu];
    if (!slot) {
        slot = std::make_unique<CMenu>();
        slot->m_hMenu = hMenu;
    }
    return slot.get();
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT nIDNewItem, const char* lpszNewItem) {
    if (m_hMenu == nullptr) return FALSE;
    m_hMenu->items.push_back({nFlags, nIDNewItem, lpszNewItem ? lpszNewItem : ""});
    return TRUE;
}

HMENU CreatePopupMenu() {
    MenuStore().push_back(std::make_unique<MenuObject>());
    return MenuStore().back().get();
}

void DestroyMenu(HMENU hMenu) {
    Wrappers().erase(hMenu);
    std::erase_if(MenuStore(), [hMenu](const std::unique_ptr<MenuObject>& m) { return m.get() == hMenu; });
}

TrackedMenu* GetTrackedMenu() { return MenuStack().empty() ? nullptr : MenuStack().back(); }

UINT TrackPopupMenu(HMENU hMenu, HWND owner, CPoint screenPosition) {
    if (hMenu == nullptr || hMenu->items.empty()) return 0;
    TrackedMenu tracked{hMenu, owner, screenPosition, -1, true, 0};
    MenuStack().push_back(&tracked);
    WindowManager& wm = WindowManager::Instance();
    wm.Invalidate(owner);
    while (tracked.open) {
        if (wm.DispatchOnePosted()) continue;
        if (wm.GetBackend() == nullptr || !wm.GetBackend()->PumpInput()) tracked.open = false;
    }
    MenuStack().pop_back();
    wm.Invalidate(owner);
    return tracked.chosen;
}

void ChooseMenuItem(int index) {
    TrackedMenu* menu = GetTrackedMenu();
    if (menu == nullptr || index < 0 || index >= static_cast<int>(menu->menu->items.size())) return;
    const MenuItem& item = menu->menu->items[index];
    if (!item.IsEnabled()) return;
    menu->chosen = item.id;
    menu->open = false;
}

void DismissMenu() {
    if (TrackedMenu* menu = GetTrackedMenu()) menu->open = false;
}

void MenuKeyDown(UINT vk) {
    TrackedMenu* menu = GetTrackedMenu();
    if (menu == nullptr) return;
    const int count = static_cast<int>(menu->menu->items.size());
    const auto step = [&](int direction) {
        for (int tries = 0; tries < count; ++tries) {
            menu->highlight = (menu->highlight + direction + count) % count;
            if (menu->menu->items[menu->highlight].IsEnabled()) return;
        }
    };
    switch (vk) {
    case VK_DOWN: step(1); break;
    case VK_UP:
        if (menu->highlight < 0) menu->highlight = 0;
        step(-1);
        break;
    case VK_RETURN: ChooseMenuItem(menu->highlight); break;
    case VK_ESCAPE:
    case VK_MENU: DismissMenu(); break;
    default: break;
    }
    WindowManager::Instance().Invalidate(menu->owner);
}

void MenuChar(UINT ch) {
    TrackedMenu* menu = GetTrackedMenu();
    if (menu == nullptr || ch >= 0x80) return;
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
    std::string label;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) ++i;
        label += text[i];
    }
    return label;
}

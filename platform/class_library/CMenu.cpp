#include "CMenu.h"

#include <map>
#include <memory>

CMenu* CMenu::FromHandle(HMENU hMenu) {
    static std::map<HMENU, std::unique_ptr<CMenu>> wrappers;
    if (hMenu == nullptr) return nullptr;
    auto& slot = wrappers[hMenu];
    if (!slot) {
        slot = std::make_unique<CMenu>();
        slot->m_hMenu = hMenu;
    }
    return slot.get();
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem) { return ::AppendMenu(m_hMenu, nFlags, nIDNewItem, lpszNewItem); }

#include "CMenu.h"

#include <map>
#include <memory>

namespace {
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

// A menu's handle may stand for another menu in the next run: its wrapper goes with the run.
void CMenu::DeleteTempMap() { Wrappers().clear(); }

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem) { return ::AppendMenu(m_hMenu, nFlags, nIDNewItem, lpszNewItem); }

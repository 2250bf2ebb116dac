#include "CCmdTarget.h"

#include <cstddef>
#include <cstdint>

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr}};
    static const AFX_MSGMAP map = {nullptr, entries};
    return &map;
}

namespace {

// Message maps are constant, so what a search found (or did not find) for a
// map and a message stays true for the life of the program. Every message a
// window gets asks, most of them for an entry no map has; remembering the
// answers spares walking the maps each time.
struct FoundEntry {
    const AFX_MSGMAP* map = nullptr;
    UINT message = 0;
    UINT code = 0;
    UINT id = 0;
    const AFX_MSGMAP_ENTRY* entry = nullptr;
};

constexpr std::size_t kFoundEntries = 512;
thread_local FoundEntry t_foundEntries[kFoundEntries];

const AFX_MSGMAP_ENTRY* SearchMaps(const AFX_MSGMAP* map, UINT nMessage, UINT nCode, UINT nID) {
    for (; map != nullptr; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->pfn != nullptr; ++e) {
            if (e->nMessage == nMessage && e->nCode == nCode && e->nID <= nID && nID <= e->nLastID) return e;
        }
    }
    return nullptr;
}

}  // namespace

const AFX_MSGMAP_ENTRY* CCmdTarget::FindEntry(UINT nMessage, UINT nCode, UINT nID) const {
    const AFX_MSGMAP* map = GetMessageMap();
    const std::size_t hash = (reinterpret_cast<std::uintptr_t>(map) >> 4) ^ nMessage ^ (nCode << 5) ^ (nID << 9);
    FoundEntry& found = t_foundEntries[hash % kFoundEntries];
    if (found.map == map && found.message == nMessage && found.code == nCode && found.id == nID) return found.entry;
    found = {map, nMessage, nCode, nID, SearchMaps(map, nMessage, nCode, nID)};
    return found.entry;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode) {
    const AFX_MSGMAP_ENTRY* entry = FindEntry(WM_COMMAND, static_cast<UINT>(nCode), nID);
    if (entry == nullptr) return FALSE;
    entry->pfn(this, 0, 0);
    return TRUE;
}

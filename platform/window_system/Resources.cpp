#include "Resources.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>

#include "Icon.h"

const std::uint32_t kStandardPalette16[16] = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};

namespace {

int PaletteIndex(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

IconObject DecodeImage(const IconImageResource& image) {
    IconObject icon;
    icon.width = image.width;
    icon.height = image.height;
    icon.argb.resize(static_cast<std::size_t>(image.width) * image.height);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const int index = PaletteIndex(image.rows[y][x]);
            icon.argb[static_cast<std::size_t>(y) * image.width + x] = index < 0 ? 0u : 0xFF000000u | kStandardPalette16[index];
        }
    }
    return icon;
}

}  // namespace

std::vector<std::uint8_t> IconImageIndexes(const IconImageResource& image) {
    std::vector<std::uint8_t> indexes;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) indexes.push_back(static_cast<std::uint8_t>(std::max(0, PaletteIndex(image.rows[y][x]))));
    return indexes;
}

std::vector<const ResourceTable*> ResourceSetsInSearchOrder() {
    std::vector<const ResourceTable*> order;
    const auto add = [&order](const ResourceTable& set) {
        if (std::find(order.begin(), order.end(), &set) == order.end()) order.push_back(&set);
    };
    for (const LANGID wanted :
         {GetThreadUILanguage(), GetUserDefaultUILanguage(), GetSystemDefaultUILanguage(), MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)})
        for (const ResourceTable& set : ProgramResourceSets())
            if (PRIMARYLANGID(set.language) == PRIMARYLANGID(wanted)) add(set);
    for (const ResourceTable& set : ProgramResourceSets()) add(set);
    return order;
}

const ResourceTable& ProgramResources() { return *ResourceSetsInSearchOrder().front(); }

const DialogTemplate* FindDialogTemplate(int id) {
    // Each resource is looked for on its own, so one a language lacks comes from the next.
    for (const ResourceTable* set : ResourceSetsInSearchOrder())
        for (const DialogTemplate& t : set->dialogs)
            if (t.id == id) return &t;
    return nullptr;
}

const char* FindStringResource(UINT id) {
    for (const ResourceTable* set : ResourceSetsInSearchOrder())
        for (const StringResource& s : set->strings)
            if (s.id == id) return s.text;
    return nullptr;
}

HICON LoadIconResource(int id, int size) {
    // Icon handles live as long as the process, so each image is decoded once.
    static std::map<std::pair<int, int>, HICON__> cache;
    for (const IconGroupResource& group : ProgramResources().iconGroups) {
        if (group.id != id || group.images.empty()) continue;
        const IconImageResource* best = &group.images.front();
        for (const IconImageResource& image : group.images)
            if (std::abs(image.width - size) < std::abs(best->width - size)) best = &image;
        auto [it, inserted] = cache.try_emplace({id, best->width});
        if (inserted) it->second = DecodeImage(*best);
        return &it->second;
    }
    return nullptr;
}

int WINAPI LoadStringA(HINSTANCE, UINT id, LPSTR buffer, int bufferMax) {
    const char* text = FindStringResource(id);
    if (buffer == nullptr || bufferMax <= 0) return 0;
    const std::size_t n = text == nullptr ? 0 : std::min<std::size_t>(std::strlen(text), static_cast<std::size_t>(bufferMax - 1));
    if (n > 0) std::memcpy(buffer, text, n);
    buffer[n] = '\0';
    return static_cast<int>(n);
}

HICON WINAPI LoadIconA(HINSTANCE, LPCSTR name) {
    if (!IS_INTRESOURCE(name)) return nullptr;
    return LoadIconResource(static_cast<int>(reinterpret_cast<ULONG_PTR>(name)), 32);
}

HICON SmallIconFor(HICON big) {
    for (const IconGroupResource& group : ProgramResources().iconGroups)
        if (LoadIconResource(group.id, 32) == big) return LoadIconResource(group.id, 16);
    return big;
}

#include "MenuLayout.h"

#include <algorithm>
#include <string>

MenuBox LayOutMenu(const TrackedMenu& menu, const TextMetrics& metrics, const Rect& area, int itemPadding, int border) {
    const int itemHeight = metrics.Height() + itemPadding;
    const int separatorHeight = itemPadding == 0 ? metrics.Height() : 9;
    int labelWidth = 0;
    int shortcutWidth = 0;
    int height = 2 * border;
    for (const MenuItem& item : menu.menu->items) {
        const std::string label = MenuItemLabel(item.text);
        const std::size_t tab = label.find('\t');
        labelWidth = std::max(labelWidth, metrics.TextWidth(label.substr(0, tab)));
        if (tab != std::string::npos)
            shortcutWidth = std::max(shortcutWidth, metrics.TextWidth(label.substr(tab + 1)) + 4 * metrics.AverageCharWidth());
        height += item.IsSeparator() ? separatorHeight : itemHeight;
    }
    const int width = labelWidth + shortcutWidth + 8 * metrics.AverageCharWidth();
    Point at = menu.position;
    at.x = std::clamp(at.x, area.left, std::max(area.left, area.right - width));
    at.y = std::clamp(at.y, area.top, std::max(area.top, area.bottom - height));
    MenuBox box{{at.x, at.y, at.x + width, at.y + height}, {}};
    int y = at.y + border;
    for (int i = 0; i < static_cast<int>(menu.menu->items.size()); ++i) {
        const int h = menu.menu->items[static_cast<std::size_t>(i)].IsSeparator() ? separatorHeight : itemHeight;
        box.items.push_back({{at.x + border, y, at.x + width - border, y + h}, i});
        y += h;
    }
    return box;
}

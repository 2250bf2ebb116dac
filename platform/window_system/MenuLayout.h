// Where the items of an open menu stand on the screen, for the back ends
// that draw menus and take clicks on them.
#pragma once

#include <vector>

#include "Backend.h"
#include "Menu.h"

struct MenuItemBox {
    Rect rect;  // on the screen
    int index;
};

struct MenuBox {
    Rect rect;  // on the screen
    std::vector<MenuItemBox> items;
};

// `area` keeps the menu on the visible surface; `itemPadding` and `border` are in the back end's pixels.
MenuBox LayOutMenu(const TrackedMenu& menu, const TextMetrics& metrics, const Rect& area, int itemPadding = 6, int border = 3);

// Popup menus: the system menu and the edit control's context menu. A
// tracked menu runs its own loop until an item is chosen or it is dismissed.
#pragma once

#include <string>
#include <vector>

#include "Geometry.h"
#include "WindowState.h"

struct MenuItem {
    UINT flags = MF_STRING;
    UINT id = 0;
    std::string text;
    bool IsSeparator() const { return (flags & MF_SEPARATOR) != 0; }
    bool IsEnabled() const { return (flags & (MF_GRAYED | MF_DISABLED)) == 0 && !IsSeparator(); }
};

struct HMENU__ {
    std::vector<MenuItem> items;
};
using MenuObject = HMENU__;

// The menu being tracked, as back ends draw it and feed it input.
struct TrackedMenu {
    HMENU menu = nullptr;
    HWND owner = nullptr;
    Point position;  // top-left corner on the screen
    int highlight = -1;
    bool open = false;
    UINT chosen = 0;
    HWND window = nullptr;  // the popup window that shows it, class "#32768"
};

// The popup window's procedure: it tells which menu it shows.
class MenuPopupProcedure : public StandardProcedure {
public:
    explicit MenuPopupProcedure(HMENU menu = nullptr) : m_menu(menu) {}
    LRESULT Handle(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    HMENU m_menu;
};

// The open menus' popup windows, the innermost first.
std::vector<HWND> MenuPopupWindows();

// Runs the menu modally; returns the chosen item's id, or 0 when dismissed.
UINT TrackMenu(HMENU hMenu, HWND owner, Point screenPosition);
TrackedMenu* GetTrackedMenu();
void ChooseMenuItem(int index);
void DismissMenu();
void ChooseHighlightedItem();
// Keyboard of an open menu: arrows, Enter, Escape and mnemonics.
void MenuKeyDown(UINT vk);
void MenuChar(UINT ch);
// The item text as a user reads it: without the mnemonic marker.
std::string MenuItemLabel(const std::string& text);

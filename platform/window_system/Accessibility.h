// What assistive technology is told of the windows: one model, kept by the
// window system, for every back end's bridge (AT-SPI for the window, the
// terminal's cursor) to map to its own terms. Each node is a window, or an
// item of the open menu, with its role, name, states and, for a field, its
// text, caret and selection. Nothing here runs unless a bridge asks.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "WindowState.h"

enum class AccessibleRole { Dialog, Alert, Entry, PushButton, RadioButton, Label, Image, Panel, Menu, MenuItem };

namespace AccessibleState {
inline constexpr unsigned kEnabled = 1u << 0;
inline constexpr unsigned kFocusable = 1u << 1;
inline constexpr unsigned kFocused = 1u << 2;
inline constexpr unsigned kEditable = 1u << 3;
inline constexpr unsigned kReadOnly = 1u << 4;
inline constexpr unsigned kShowing = 1u << 5;
inline constexpr unsigned kChecked = 1u << 6;
inline constexpr unsigned kDefault = 1u << 7;
inline constexpr unsigned kActive = 1u << 8;
inline constexpr unsigned kSelected = 1u << 9;
}  // namespace AccessibleState

struct AccessibleNode {
    HWND window = nullptr;  // for a menu's item, the menu's popup window
    int item = -1;          // a menu item's place among the menu's items, separators counted
    AccessibleRole role = AccessibleRole::Label;
    std::string name;
    std::string description;  // what more a reader may say of it: a badge's tooltip
    unsigned states = 0;
    // A field's text as it shows it, and its caret and selection in characters.
    std::string text;
    int caret = 0;
    int selectionStart = 0;
    int selectionEnd = 0;
    HWND labelledBy = nullptr;
    bool clickable = false;  // has a "click" action: buttons and the badges
    std::string keyBinding;  // a menu item's keys, as ATK writes them: "mnemonic;;shortcut"
    std::vector<AccessibleNode> children;
};

// The shown top-level windows, oldest first, each with its controls; an open menu last.
std::vector<AccessibleNode> AccessibleTree();
// A window with its shown children; an open menu's popup window with its items.
AccessibleNode DescribeWindow(HWND hWnd);
// Where a node is on the window system's screen: a window's rectangle, an open
// menu's or one of its items'; none once it is gone.
std::optional<Rect> AccessibleBounds(HWND window, int item);
// The label a field is known by: the text to its left on the same row.
HWND LabelFor(HWND control);
// What the mouse would do on the control: a press and release at its middle.
bool DoClickAction(HWND control);
// A role's name as AT-SPI and the tests spell it ("push button").
const char* RoleName(AccessibleRole role);

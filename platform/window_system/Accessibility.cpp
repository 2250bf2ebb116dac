#include "Accessibility.h"

#include "../accessibility/FieldLabel.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "Backend.h"
#include "ButtonControl.h"
#include "EditControl.h"
#include "InterfaceLanguage.h"
#include "Menu.h"
#include "MenuLayout.h"
#include "Resources.h"
#include "ToolTip.h"
#include "Utf8.h"
#include "WindowManager.h"

namespace {

// A modal box disables the dialog under it, and with it every control in it.
bool EnabledWithItsDialog(HWND hWnd) {
    for (HWND h = hWnd; h != nullptr; h = h->IsChild() ? h->parent : nullptr)
        if (!h->IsEnabled()) return false;
    return true;
}

WindowManager& wm() { return WindowManager::Instance(); }

// A text as read aloud: no mnemonic marker, no blanks at either end. Tabs are
// part of a static's text (the About box lines up its lines with them).
std::string Spoken(const std::string& text) {
    std::string spoken = MenuItemLabel(text);
    const auto first = spoken.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return spoken.substr(first, spoken.find_last_not_of(' ') - first + 1);
}

// A menu item's name: what stands after a tab is its shortcut, not its name,
// and a mnemonic written apart in brackets, "撤消(&U)", is its key, not its name.
std::string SpokenMenuItem(const std::string& text) {
    std::string label = text.substr(0, text.find('\t'));
    if (const auto open = label.find("(&"); open != std::string::npos && open + 3 < label.size() && label[open + 3] == ')') label.erase(open, 4);
    return Spoken(label);
}

// A menu item's keys, as ATK writes them: its mnemonic; the whole sequence from the
// dialog, where the menu is the window's own (F10, which window managers leave to the
// window, then the mnemonic); and the shortcut after its tab in the toolkit's spelling
// ("Alt+F4" is "<Alt>F4").
std::string MenuItemKeys(const std::string& text, bool systemMenu) {
    std::string mnemonic;
    for (std::size_t i = 0; i + 1 < text.size() && text[i] != '\t'; ++i) {
        if (text[i] != '&') continue;
        if (text[i + 1] == '&') {
            ++i;
            continue;
        }
        mnemonic = std::string(1, static_cast<char>(std::tolower(static_cast<unsigned char>(text[i + 1]))));
        break;
    }
    std::string shortcut;
    if (const auto tab = text.find('\t'); tab != std::string::npos) {
        std::string rest = text.substr(tab + 1);
        for (std::size_t plus; (plus = rest.find('+')) != std::string::npos && plus + 1 < rest.size(); rest.erase(0, plus + 1)) {
            const std::string modifier = rest.substr(0, plus);
            shortcut += "<" + (modifier == "Ctrl" ? std::string("Control") : modifier) + ">";
        }
        shortcut += rest;
    }
    const std::string sequence = systemMenu && !mnemonic.empty() ? "F10," + mnemonic : "";
    return mnemonic.empty() && shortcut.empty() ? "" : mnemonic + ";" + sequence + ";" + shortcut;
}

// The program's name, from its version block in the interface's language: for its icon.
std::string ProductName() {
    for (const VersionField& field : ProgramResources().versionFields)
        if (std::string_view(field.name) == "ProductName") return field.value;
    return "Dotwise";
}

int Characters(const std::string& text, int bytes) {
    return static_cast<int>(
        DecodeUtf8(std::string_view(text).substr(0, static_cast<std::size_t>(std::clamp<int>(bytes, 0, static_cast<int>(text.size()))))).size());
}

AccessibleRole RoleOf(HWND hWnd) {
    switch (hWnd->windowClass) {
    case WindowClass::Dialog: return hWnd->messageBox ? AccessibleRole::Alert : AccessibleRole::Dialog;
    case WindowClass::Edit: return AccessibleRole::Entry;
    case WindowClass::Button:
        switch (hWnd->style & BS_TYPEMASK) {
        case BS_GROUPBOX: return AccessibleRole::Panel;
        case BS_AUTORADIOBUTTON: return AccessibleRole::RadioButton;
        default: return AccessibleRole::PushButton;
        }
    default: return (hWnd->style & SS_TYPEMASK) == SS_ICON ? AccessibleRole::Image : AccessibleRole::Label;
    }
}

std::string NameOf(HWND hWnd, AccessibleRole role) {
    switch (role) {
    case AccessibleRole::Entry: {
        if (std::string own = FieldOwnName(hWnd); !own.empty()) return own;
        HWND label = LabelFor(hWnd);
        return label != nullptr ? Spoken(label->text) : "";
    }
    case AccessibleRole::Image: {
        // A picture the program names is known by that name (the badges, whose tooltip they
        // share); the others by their tooltip; the program's icon, as in the About box, by the program.
        if (std::string own = FieldOwnName(hWnd); !own.empty()) return own;
        const ToolInfo* tool = FindTool(hWnd);
        return tool != nullptr ? tool->text : ProductName();
    }
    default: return Spoken(hWnd->text);
    }
}

unsigned StatesOf(HWND hWnd, AccessibleRole role) {
    using namespace AccessibleState;
    unsigned states = 0;
    if (EnabledWithItsDialog(hWnd)) states |= kEnabled;
    bool showing = true;
    for (HWND h = hWnd; h != nullptr; h = h->IsChild() ? h->parent : nullptr) showing = showing && h->IsVisible();
    if (showing) states |= kShowing;
    if (wm().Focus() == hWnd && wm().Foreground()) states |= kFocused;
    switch (role) {
    case AccessibleRole::Entry: states |= kFocusable | ((hWnd->style & ES_READONLY) ? kReadOnly : kEditable); break;
    case AccessibleRole::PushButton:
        states |= kFocusable;
        if ((hWnd->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) states |= kDefault;
        break;
    case AccessibleRole::RadioButton:
        states |= kFocusable;
        if (const auto* button = dynamic_cast<const ButtonControl*>(hWnd->procedure.get()); button != nullptr && button->Checked())
            states |= kChecked;
        break;
    case AccessibleRole::Dialog:
    case AccessibleRole::Alert:
        if (wm().ActiveDialog() == hWnd && wm().Foreground()) states |= kActive;
        break;
    default: break;
    }
    return states;
}

AccessibleNode MenuNode(const TrackedMenu& menu) {
    AccessibleNode node;
    node.window = menu.window;
    node.role = AccessibleRole::Menu;
    // As the desktop names its menus: the window's own menu, or a field's menu of what can be done with its text.
    const bool systemMenu = IsWindow(menu.owner) && menu.owner->systemMenu == menu.menu;
    node.name = systemMenu ? InterfaceText("系统", "System") : InterfaceText("上下文", "Context");
    node.states = AccessibleState::kEnabled | AccessibleState::kShowing;
    for (std::size_t i = 0; i < menu.menu->items.size(); ++i) {
        const MenuItem& item = menu.menu->items[i];
        if (item.IsSeparator()) continue;
        AccessibleNode entry;
        entry.window = menu.window;
        entry.item = static_cast<int>(i);
        entry.role = AccessibleRole::MenuItem;
        entry.name = SpokenMenuItem(item.text);
        entry.keyBinding = MenuItemKeys(item.text, systemMenu);
        entry.states = AccessibleState::kShowing | (item.IsEnabled() ? AccessibleState::kEnabled : 0);
        if (static_cast<int>(i) == menu.highlight) entry.states |= AccessibleState::kSelected | AccessibleState::kFocused;
        entry.clickable = item.IsEnabled();
        node.children.push_back(std::move(entry));
    }
    return node;
}

}  // namespace

std::optional<Rect> AccessibleBounds(HWND window, int item) {
    if (!IsWindow(window)) return std::nullopt;
    if (window->windowClass != WindowClass::MenuPopup) return wm().ScreenRect(window);
    const TrackedMenu* menu = GetTrackedMenu();
    Backend* backend = wm().GetBackend();
    if (menu == nullptr || menu->window != window || backend == nullptr) return std::nullopt;
    const MenuBox box = backend->MenuBoxOf(*menu);
    if (item < 0) return box.rect;
    const auto it = std::find_if(box.items.begin(), box.items.end(), [&](const MenuItemBox& b) { return b.index == item; });
    return it != box.items.end() ? std::optional(it->rect) : std::nullopt;
}

HWND LabelFor(HWND control) { return IsWindow(control) && control->IsChild() ? FieldLabel(control) : nullptr; }

AccessibleNode DescribeWindow(HWND hWnd) {
    AccessibleNode node;
    if (!IsWindow(hWnd)) return node;
    if (hWnd->windowClass == WindowClass::MenuPopup) {
        const TrackedMenu* menu = GetTrackedMenu();
        return menu != nullptr && menu->window == hWnd ? MenuNode(*menu) : node;
    }
    node.window = hWnd;
    node.role = RoleOf(hWnd);
    node.name = NameOf(hWnd, node.role);
    if (const ToolInfo* tool = FindTool(hWnd); tool != nullptr && tool->text != node.name) node.description = tool->text;
    // A listener cannot see the caption's icon: the dialog says how its menu, with the About box, is reached.
    if (node.role == AccessibleRole::Dialog && (hWnd->style & WS_SYSMENU))
        node.description = InterfaceText("系统菜单: Alt+空格, F10 或单按 Alt", "System menu: Alt+Space, F10 or Alt alone");
    node.states = StatesOf(hWnd, node.role);
    node.clickable = node.role == AccessibleRole::PushButton || node.role == AccessibleRole::RadioButton ||
                     (node.role == AccessibleRole::Image && (hWnd->style & SS_NOTIFY));
    if (node.role == AccessibleRole::Entry) {
        // A field named outright is not the label's: the label speaks for its neighbour.
        node.labelledBy = FieldOwnName(hWnd).empty() ? LabelFor(hWnd) : nullptr;
        if (const EditControl* edit = EditControlOf(hWnd)) {
            const EditModel& model = edit->Model();
            node.text = model.Text();
            node.caret = Characters(node.text, model.Caret());
            node.selectionStart = Characters(node.text, model.SelStart());
            node.selectionEnd = Characters(node.text, model.SelEnd());
        }
    }
    for (HWND child : hWnd->children)
        if (child->IsVisible()) node.children.push_back(DescribeWindow(child));
    return node;
}

std::vector<AccessibleNode> AccessibleTree() {
    std::vector<AccessibleNode> tree;
    for (HWND top : wm().Dialogs())
        if (top->IsVisible()) tree.push_back(DescribeWindow(top));
    if (const TrackedMenu* menu = GetTrackedMenu()) tree.push_back(MenuNode(*menu));
    return tree;
}

bool DoClickAction(HWND control) {
    if (!IsWindow(control) || !control->IsVisible() || !EnabledWithItsDialog(control)) return false;
    const Rect r = control->rect;
    const LPARAM middle = MAKELPARAM(static_cast<unsigned>(r.Width() / 2), static_cast<unsigned>(r.Height() / 2));
    wm().PostInput(control, WM_LBUTTONDOWN, MK_LBUTTON, middle);
    wm().PostInput(control, WM_LBUTTONUP, 0, middle);
    return true;
}

const char* RoleName(AccessibleRole role) {
    switch (role) {
    case AccessibleRole::Dialog: return "dialog";
    case AccessibleRole::Alert: return "alert";
    case AccessibleRole::Entry: return "entry";
    case AccessibleRole::PushButton: return "push button";
    case AccessibleRole::RadioButton: return "radio button";
    case AccessibleRole::Label: return "label";
    case AccessibleRole::Image: return "image";
    case AccessibleRole::Panel: return "panel";
    case AccessibleRole::Menu: return "menu";
    case AccessibleRole::MenuItem: return "menu item";
    }
    return "";
}

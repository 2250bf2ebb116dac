#include "AriaMirror.h"

#include <emscripten.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "../window_system/Accessibility.h"

// clang-format off
EM_JS(void, dotwise_aria, (const char* utf8, int length), {
    Module.dotwisePage.aria(UTF8ToString(utf8, length));
});
// clang-format on

namespace {

// ARIA's words for our roles; a label is plain text ("text"), the page's own.
const char* AriaRole(AccessibleRole role) {
    switch (role) {
    case AccessibleRole::Dialog: return "dialog";
    case AccessibleRole::Alert: return "alertdialog";
    case AccessibleRole::Entry: return "textbox";
    case AccessibleRole::PushButton: return "button";
    case AccessibleRole::RadioButton: return "radio";
    case AccessibleRole::Image: return "img";
    case AccessibleRole::Panel: return "group";
    case AccessibleRole::Menu: return "menu";
    case AccessibleRole::MenuItem: return "menuitem";
    case AccessibleRole::Label: return "text";
    }
    return nullptr;
}

// Tabs and line ends separate the fields and nodes the page reads.
std::string Clean(const std::string& text) {
    std::string clean = text;
    for (char& c : clean)
        if (c == '\t' || c == '\n') c = ' ';
    return clean;
}

// Whether Tab (or Shift+Tab) from the control goes round to the other end of
// its dialog's tab order: there the page lets the browser take the focus on,
// out of the dialog, as from a dialog's last control in a page.
bool TabWraps(HWND control, BOOL backward) {
    HWND dialog = GetParent(control);
    HWND next = dialog != nullptr ? GetNextDlgTabItem(dialog, control, backward) : nullptr;
    if (next == nullptr || next == control) return true;
    int at = 0, nextAt = 0, i = 0;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT), ++i) {
        if (child == control) at = i;
        if (child == next) nextAt = i;
    }
    return backward ? nextAt > at : nextAt < at;
}

// One line a node: id, parent id, role, name, states (letters), text, caret, selection's
// start and end, control id, description, and where it is drawn (left, top, width and
// height in the canvas's pixels).
void Describe(const AccessibleNode& node, const std::string& parent, Point origin, const std::vector<HWND>& fieldLabels, std::string& out) {
    const char* role = AriaRole(node.role);
    if (role == nullptr) return;
    using namespace AccessibleState;
    const std::string id =
        "dotwise-" + std::to_string(reinterpret_cast<std::uintptr_t>(node.window)) + (node.item >= 0 ? "-" + std::to_string(node.item) : "");
    std::string states;
    if (!(node.states & kEnabled)) states += 'd';
    if (node.states & kFocused) states += 'f';
    if (node.states & kReadOnly) states += 'r';
    if (node.states & kChecked) states += 'c';
    if (node.states & kDefault) states += 'D';
    if (node.states & kActive) states += 'a';
    if (node.states & kSelected) states += 's';
    // A label that names a field is said with the field, and is not the dialog's text.
    if (node.role == AccessibleRole::Label && std::find(fieldLabels.begin(), fieldLabels.end(), node.window) != fieldLabels.end()) states += 'n';
    if ((node.states & kFocused) && node.item < 0 && node.window != nullptr) {
        if (TabWraps(node.window, FALSE)) states += 'L';
        if (TabWraps(node.window, TRUE)) states += 'F';
    }
    // A control's id in its dialog, for the page to know its fields by.
    const int control = node.item < 0 && node.window != nullptr ? GetDlgCtrlID(node.window) : 0;
    const Rect at = AccessibleBounds(node.window, node.item).value_or(Rect{});
    out += id + '\t' + parent + '\t' + role + '\t' + Clean(node.name) + '\t' + states + '\t' + Clean(node.text) + '\t' + std::to_string(node.caret) +
           '\t' + std::to_string(node.selectionStart) + '\t' + std::to_string(node.selectionEnd) + '\t' + std::to_string(control) + '\t' +
           Clean(node.description) + '\t' + std::to_string(at.left - origin.x) + '\t' + std::to_string(at.top - origin.y) + '\t' +
           std::to_string(at.Width()) + '\t' + std::to_string(at.Height()) + '\n';
    for (const AccessibleNode& child : node.children) Describe(child, id, origin, fieldLabels, out);
}

}  // namespace

void AriaMirror::Update(Point origin) {
    std::string tree;
    for (const AccessibleNode& node : AccessibleTree()) {
        std::vector<HWND> fieldLabels;
        for (const AccessibleNode& child : node.children)
            if (child.labelledBy != nullptr) fieldLabels.push_back(child.labelledBy);
        Describe(node, "", origin, fieldLabels, tree);
    }
    if (tree == m_last) return;
    m_last = tree;
    dotwise_aria(tree.data(), static_cast<int>(tree.size()));
}

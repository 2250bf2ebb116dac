// What a screen reader holds on to: one ATK object for each window, open
// menu and menu item, and one for the program. Each answers from the window
// system's accessibility model at the moment it is asked, so nothing is
// copied that could go stale.
#pragma once

#include <functional>

// Before GLib, whose TRUE and FALSE are macros, where the API's are constants.
#include "../window_system/Accessibility.h"

#include <atk/atk.h>

// Which node an object stands for: a window, or an item of a menu's popup window.
struct AccessibleKey {
    HWND window = nullptr;
    int item = -1;
    auto operator<=>(const AccessibleKey&) const = default;
};

inline AccessibleKey KeyOf(const AccessibleNode& node) { return {node.window, node.item}; }

// Made once for the program: its children are the shown dialogs and an open menu.
AtkObject* NewApplicationObject();
// Made for a node, of a type whose interfaces fit its role: text for fields, an action for what can be clicked.
AtkObject* NewAccessibleObject(const AccessibleNode& node, AtkObject* parent);
// The node is gone: the object answers as defunct from now on.
void MarkDefunct(AtkObject* object);

// What the objects need of the bridge that keeps them.
struct AccessibleHost {
    // The object of a node, made on first use; a new reference.
    std::function<AtkObject*(const AccessibleNode&, AtkObject* parent)> objectFor;
    // Runs `action` once the screen reader has its answer: what it changes
    // may run a modal loop of the program's, which must not hold up the reply.
    std::function<void(std::function<void()>)> defer;
    // From the window system's screen to the display's.
    Rect (*toScreen)(const Rect&) = nullptr;
    // What the bridge adds to an object's description of its own: for the
    // focused field, the results its typing changed, once the typing paused.
    std::function<std::string(const AccessibleKey&)> heardWith;
};
void SetAccessibleHost(AccessibleHost host);

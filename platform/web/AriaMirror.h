// The accessibility model mirrored into the page as ARIA: each dialog,
// control and menu item a node with its role, name, states and text, and the
// focus the program's, so that the browser's screen readers follow it.
#pragma once

#include <string>

#include "../window_system/Geometry.h"

class AriaMirror {
public:
    // Tells the page what changed since the last call; nothing when nothing did.
    // `origin` is the screen's point drawn at the canvas's corner.
    void Update(Point origin);

private:
    std::string m_last;
};

// The accessibility model mirrored into the page as ARIA: each dialog,
// control and menu item a node with its role, name, states and text, and the
// focus the program's, so that the browser's screen readers follow it.
#pragma once

#include <string>

class AriaMirror {
public:
    // Tells the page what changed since the last call; nothing when nothing did.
    void Update();

private:
    std::string m_last;
};

// Whether the desktop wants programs on its accessibility bus: asked once,
// at start, so that the accessibility module is opened only for those who
// use a screen reader.
#pragma once

#include <string>

// DOTWISE_ACCESSIBILITY=1 or 0 decides outright; NO_AT_BRIDGE=1 says no, as
// it does to GTK programs. Otherwise the session bus is asked for
// org.a11y.Status's IsEnabled, without starting the accessibility bus
// where none runs. `why` says what decided.
bool AccessibilityWanted(std::string& why);

// The window and terminal back ends live in modules of their own, opened at
// run time when they are chosen: the headless back end then loads neither the
// window, font and image libraries nor the terminal's, and each of the two
// loads only its own. These are the modules' entry points.
#pragma once

#include <string>

#include "Geometry.h"

class Backend;

#define DOTWISE_MODULE_EXPORT __attribute__((visibility("default")))

struct WindowModule {
    // The window back end; null, with the reason, when no display answers.
    // Throws std::runtime_error when the window cannot be made for another reason.
    Backend* (*openWindow)(bool withDriver, std::string* reason);
    // Renders the open dialogs to a PNG file, with no display.
    bool (*takeScreenshot)(const std::string* path, std::string* error);
};

struct TerminalModule {
    // The terminal back end; null, with the reason, when this terminal cannot show the dialog.
    Backend* (*openTerminal)(std::string* reason);
};

// The bridge to the desktop's screen readers (AT-SPI), which the window back
// end opens only when the desktop says assistive technology is in use.
struct AccessibilityModule {
    // Registers the program on the accessibility bus. `toScreen` maps the
    // window system's rectangles to the display's; `wake` ends the back end's
    // wait, from another thread, when the bus has a question. False, with the
    // reason, when it cannot.
    bool (*start)(Rect (*toScreen)(const Rect&), void (*wake)(), std::string* reason);
    // Answers what the screen readers asked, and tells them what changed since the last call.
    void (*pump)();
    // How long the back end may sleep before `pump` is due, in milliseconds; -1 for as long as it likes.
    int (*wait)();
    // A key as the keyboard gave it, before the program sees it: the screen
    // readers hear it, and true means one of them took it for itself, so the
    // program must not have it. `keysym` is the X keysym, `modifiers` X's
    // state mask, `text` what the key types (may be empty).
    bool (*key)(bool press, unsigned keysym, unsigned modifiers, const char* text, unsigned hardwareCode, unsigned time);
};

// Each module is opened on first use from beside the program or from its
// library folder; null, with the reason, when it cannot be opened.
const WindowModule* LoadWindowModule(std::string& error);
const TerminalModule* LoadTerminalModule(std::string& error);
const AccessibilityModule* LoadAccessibilityModule(std::string& error);

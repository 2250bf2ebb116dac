// The window and terminal back ends live in modules of their own, opened at
// run time when they are chosen: the headless back end then loads neither the
// window, font and image libraries nor the terminal's, and each of the two
// loads only its own. These are the modules' entry points.
#pragma once

#include <string>

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

// Each module is opened on first use from beside the program or from its
// library folder; null, with the reason, when it cannot be opened.
const WindowModule* LoadWindowModule(std::string& error);
const TerminalModule* LoadTerminalModule(std::string& error);

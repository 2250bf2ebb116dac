// The window back end lives in a module of its own, opened at run time when it
// is needed: the terminal and headless back ends then never load the window,
// font and image libraries. These are the module's entry points.
#pragma once

#include <string>

class Backend;

#define DOTWISE_WINDOW_EXPORT __attribute__((visibility("default")))

struct WindowModule {
    // The window back end; null, with the reason, when no display answers.
    // Throws std::runtime_error when the window cannot be made for another reason.
    Backend* (*openWindow)(bool withDriver, std::string* reason);
    // Renders the open dialogs to a PNG file, with no display.
    bool (*takeScreenshot)(const std::string* path, std::string* error);
};

// The module, opened on first use from beside the program or from its library
// folder; null, with the reason, when it cannot be opened.
const WindowModule* LoadWindowModule(std::string& error);

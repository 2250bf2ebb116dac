// The entry points of the window back end, which is a module the program opens
// only when the window is chosen (or a screenshot is taken), so that the
// terminal and headless back ends start without the window libraries.
#include <memory>
#include <stdexcept>

#include "../window_system/BackendModules.h"
#include "DialogFont.h"
#include "Screenshot.h"
#include "SdlBackend.h"

extern "C" {

DOTWISE_MODULE_EXPORT Backend* DotwiseOpenWindow(bool withDriver, std::string* reason) {
    try {
        return new SdlBackend(withDriver);
    } catch (const NoDisplay& e) {
        *reason = e.what();
        return nullptr;
    }
}

DOTWISE_MODULE_EXPORT bool DotwiseTakeScreenshot(const std::string* path, std::string* error) {
    // The font is opened once, on the first screenshot.
    static std::unique_ptr<DialogFont> font;
    try {
        if (!font) font = std::make_unique<DialogFont>(1.0);
    } catch (const std::runtime_error& e) {
        *error = e.what();
        return false;
    }
    return TakeScreenshot(*path, *font, *error);
}
}

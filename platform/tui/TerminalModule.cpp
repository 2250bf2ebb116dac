// The entry point of the terminal back end, a module the program opens only
// when the terminal is chosen, so that the other back ends start without the
// terminal libraries.
#include <stdexcept>

#include "../window_system/BackendModules.h"
#include "TerminalBackend.h"

extern "C" {

DOTWISE_MODULE_EXPORT Backend* DotwiseOpenTerminal(std::string* reason) {
    try {
        return new TerminalBackend();
    } catch (const std::runtime_error& e) {
        *reason = e.what();
        return nullptr;
    }
}
}

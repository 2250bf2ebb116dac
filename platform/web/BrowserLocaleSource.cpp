// The user's number format in a page: the browser's, as Intl.NumberFormat
// shows it (the page's script reads it), each value replaced by the variable
// of the same name where the page's address sets one.
#include <emscripten.h>

#include <cstdlib>

#include "../driver/LocaleVariables.h"
#include "../window_system/LocaleInfo.h"
#include "../window_system/Utf8.h"

namespace {

// clang-format off
EM_JS(int, dotwise_number_format, (const char* name, char* buffer, int size), {
    const value = Module.dotwisePage.numberFormat(UTF8ToString(name));
    if (value === undefined) return -1;
    stringToUTF8(value, buffer, size);
    return lengthBytesUTF8(value);
});
// clang-format on

class BrowserLocaleSource : public LocaleSource {
public:
    std::optional<std::string> Query(LCTYPE type) const override {
        const char* name = LocaleOverrideVariable(type);
        if (name == nullptr) return std::nullopt;
        if (const char* value = std::getenv(name)) return RepairUtf8(value);
        char buffer[64];
        const int length = dotwise_number_format(name, buffer, sizeof buffer);
        if (length < 0 || length >= static_cast<int>(sizeof buffer)) return std::nullopt;
        return RepairUtf8(std::string(buffer, static_cast<std::size_t>(length)));
    }
};

}  // namespace

const LocaleSource& UserLocaleSource() {
    static const BrowserLocaleSource browser;
    return browser;
}

#include "DesktopScale.h"

#include <X11/Xlib.h>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

// Quarter steps keep the bitmap-like look of whole pixels where they can.
double QuarterSteps(double scale) { return std::round(scale * 4) / 4; }

std::optional<double> ReadNumber(std::string_view text, double least, double most) {
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    // Comparisons with a NaN are all false: it must be ruled out before the range is.
    if (result.ec != std::errc{} || !std::isfinite(value) || value < least || value > most) return std::nullopt;
    return value;
}

}  // namespace

std::optional<double> ScaleFromResources(std::string_view resources) {
    for (std::size_t start = 0; start < resources.size();) {
        const std::size_t end = std::min(resources.find('\n', start), resources.size());
        std::string_view line = resources.substr(start, end - start);
        start = end + 1;
        if (line.rfind("Xft.dpi:", 0) != 0) continue;
        line.remove_prefix(8);
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
        if (const auto dpi = ReadNumber(line, 48, 768)) return std::max(0.5, QuarterSteps(*dpi / 96));
        return std::nullopt;
    }
    return std::nullopt;
}

std::optional<double> DesktopScale() {
    if (const char* forced = std::getenv("DOTWISE_SCALE")) {
        // The program refuses a bad value before it gets here.
        if (const auto scale = ReadNumber(forced, 0.5, 8)) return scale;
    }
    if (const char* display = std::getenv("DISPLAY"); display != nullptr && *display != '\0') {
        // A server under load may hang up on a new connection; one more try before going without.
        Display* x = XOpenDisplay(nullptr);
        if (x == nullptr) x = XOpenDisplay(nullptr);
        if (x != nullptr) {
            const char* resources = XResourceManagerString(x);
            const std::optional<double> scale = resources != nullptr ? ScaleFromResources(resources) : std::nullopt;
            XCloseDisplay(x);
            if (scale) return scale;
        }
    }
    if (const char* gdk = std::getenv("GDK_SCALE")) {
        if (const auto scale = ReadNumber(gdk, 1, 8); scale && *scale == std::floor(*scale)) return scale;
    }
    return std::nullopt;
}

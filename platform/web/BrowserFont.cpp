#include "BrowserFont.h"

#include <emscripten.h>

#include <algorithm>
#include <cmath>

// clang-format off
EM_JS(int, dotwise_set_font, (int pixels), {
    return Module.dotwisePage.setFont(pixels);
});
EM_JS(int, dotwise_measure, (const char* utf8, int length), {
    return Module.dotwisePage.measure(UTF8ToString(utf8, length));
});
// clang-format on

BrowserFont::BrowserFont(double scale) : m_scale(scale), m_height(static_cast<int>(std::lround(12 * scale))) {
    m_ascent = dotwise_set_font(m_height);
    // Base units: the average width of the Latin letters, as the desktop measures it.
    const int width = TextWidth("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    m_averageWidth = std::max(1, (width / 26 + 1) / 2);
}

int BrowserFont::TextWidth(std::string_view utf8) const {
    if (utf8.empty()) return 0;
    std::string key(utf8);
    if (const auto it = m_widths.find(key); it != m_widths.end()) return it->second;
    // The bound is for text pasted in.
    if (m_widths.size() >= 4096) m_widths.clear();
    const int width = dotwise_measure(key.data(), static_cast<int>(key.size()));
    m_widths.emplace(std::move(key), width);
    return width;
}

#include "BrowserFont.h"

#include <emscripten.h>

#include <algorithm>
#include <cmath>

#include "../window_system/Utf8.h"

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
    int width = 0;
    for (const char32_t character : DecodeUtf8(utf8)) {
        auto it = m_advances.find(character);
        if (it == m_advances.end()) {
            // The bound is for text pasted in.
            if (m_advances.size() >= 4096) m_advances.clear();
            const std::string one = EncodeUtf8(character);
            it = m_advances.emplace(character, dotwise_measure(one.data(), static_cast<int>(one.size()))).first;
        }
        width += it->second;
    }
    return width;
}

#include "DialogFont.h"

#include <SDL_ttf.h>

#include <cmath>
#include <stdexcept>

#include "FontFinder.h"

DialogFont::DialogFont(double scale) : m_scale(scale) {
    if (!TTF_WasInit() && TTF_Init() != 0) throw std::runtime_error(std::string("cannot start the font engine: ") + TTF_GetError());
    const auto file = FindDialogFont();
    if (!file) throw std::runtime_error("no font for Chinese text is installed (install fonts-arphic-uming)");
    m_family = file->family;
    const int pixels = static_cast<int>(std::lround(12 * scale));
    m_font = TTF_OpenFontIndex(file->path.c_str(), pixels, file->index);
    if (m_font == nullptr) throw std::runtime_error("cannot open " + file->path + ": " + TTF_GetError());
    // Mono hinting picks the face's own bitmaps at 12 pixels: crisp, as the original looked.
    TTF_SetFontHinting(m_font, TTF_HINTING_MONO);
    m_height = pixels;
    // Base units: the average width of the Latin letters, as the desktop measures it.
    int width = 0;
    TTF_SizeUTF8(m_font, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", &width, nullptr);
    m_averageWidth = std::max(1, (width / 26 + 1) / 2);
}

DialogFont::~DialogFont() {
    if (m_font != nullptr) TTF_CloseFont(m_font);
}

int DialogFont::TextWidth(std::string_view utf8) const {
    if (utf8.empty()) return 0;
    std::string text(utf8);
    if (const auto it = m_widths.find(text); it != m_widths.end()) return it->second;
    int width = 0;
    TTF_SizeUTF8(m_font, text.c_str(), &width, nullptr);
    if (m_widths.size() > 4096) m_widths.clear();
    m_widths.emplace(std::move(text), width);
    return width;
}

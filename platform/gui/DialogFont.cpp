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
    // The face is read through the file rather than from a mapping of it. The
    // font is a large collection of which the dialog needs about a hundred
    // glyphs; a mapping would bring each glyph's neighbouring pages into the
    // program's memory with it (the kernel maps around every fault), five
    // megabytes in all, where reads copy only the bytes asked for.
    SDL_RWops* source = SDL_RWFromFile(file->path.c_str(), "rb");
    m_font = source != nullptr ? TTF_OpenFontIndexRW(source, 1, pixels, file->index) : nullptr;
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

// The dialog font opened at the display's scale, the text metrics the
// platform lays dialogs out with, and strings drawn with it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "../window_system/Backend.h"

struct SDL_Surface;
typedef struct FT_LibraryRec_* FT_Library;
typedef struct FT_FaceRec_* FT_Face;

class DialogFont : public TextMetrics {
public:
    // Opens the font for `scale` (1 for the original's 12-pixel size); throws
    // std::runtime_error with a message for the user when no font can be had.
    explicit DialogFont(double scale);
    ~DialogFont() override;
    DialogFont(const DialogFont&) = delete;
    DialogFont& operator=(const DialogFont&) = delete;

    int TextWidth(std::string_view utf8) const override;
    int Height() const override { return m_height; }
    int AverageCharWidth() const override { return m_averageWidth; }
    double Scale() const override { return m_scale; }
    const std::string& Family() const { return m_family; }
    // The string in `rgb` on a clear ground, as tall as the face's line (its
    // ascent above the baseline and descent below); the caller frees it.
    // Null for an empty string.
    SDL_Surface* Render(std::string_view utf8, std::uint32_t rgb) const;
    // The same, kept by the font for the next time: a frame that changes one
    // field renders one string anew, and the rest are copies. Null for an empty string.
    SDL_Surface* RenderedText(const std::string& utf8, std::uint32_t rgb) const;

private:
    // One character's picture: how much of each pixel the shape covers.
    struct Glyph {
        int left = 0;  // from the pen to the picture's left edge
        int top = 0;   // from the baseline up to the picture's top edge
        int width = 0;
        int rows = 0;
        int advance = 0;
        std::vector<std::uint8_t> coverage;
    };
    const Glyph& GlyphFor(char32_t character) const;

    FT_Library m_library = nullptr;
    FT_Face m_face = nullptr;
    // Where the face reads the font file from; see the constructor.
    struct FileStream;
    std::unique_ptr<FileStream> m_stream;
    double m_scale;
    bool m_smooth = false;
    int m_height = 12;
    int m_ascent = 11;
    int m_lineHeight = 13;
    int m_averageWidth = 6;
    std::string m_family;
    mutable std::unordered_map<char32_t, Glyph> m_glyphs;
    // Layout asks for the same widths over and over.
    mutable std::unordered_map<std::string, int> m_widths;
    mutable std::unordered_map<std::string, SDL_Surface*> m_rendered;
};

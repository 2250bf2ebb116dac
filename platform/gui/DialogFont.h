// The dialog font opened at the display's scale, and the text metrics the
// platform lays dialogs out with.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>

#include "../window_system/Backend.h"

typedef struct _TTF_Font TTF_Font;

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
    TTF_Font* Font() const { return m_font; }
    double Scale() const { return m_scale; }
    const std::string& Family() const { return m_family; }

private:
    TTF_Font* m_font = nullptr;
    double m_scale;
    int m_height = 12;
    int m_averageWidth = 6;
    std::string m_family;
    // Layout asks for the same widths over and over; the font engine's own cache is slower to ask.
    mutable std::unordered_map<std::string, int> m_widths;
};

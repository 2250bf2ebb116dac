// The dialog font as the browser has it: the page's canvas measures text
// with measureText, in the device pixels the dialog is laid out in.
#pragma once

#include <string>
#include <unordered_map>

#include "../window_system/Backend.h"

class BrowserFont : public TextMetrics {
public:
    // `scale` device pixels stand for one of the original's (the page's devicePixelRatio).
    explicit BrowserFont(double scale);
    int TextWidth(std::string_view utf8) const override;
    int Height() const override { return m_height; }
    int AverageCharWidth() const override { return m_averageWidth; }
    double Scale() const override { return m_scale; }
    // From the top of a line down to its baseline.
    int Ascent() const { return m_ascent; }

private:
    double m_scale;
    int m_height;
    int m_ascent = 0;
    int m_averageWidth = 6;
    // Each character's advance, in whole pixels as the desktop's font engine gives them: a
    // string is as wide as its characters' advances, and measuring a character crosses into
    // the page once, not each time a text is laid out.
    mutable std::unordered_map<char32_t, int> m_advances;
};

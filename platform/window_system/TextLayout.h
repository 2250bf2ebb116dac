// Where the lines of a static control's text go: '\n' breaks, tabs, and word
// wrap for tall left-aligned statics (Chinese text wraps at any character).
#pragma once

#include <string>
#include <vector>

#include "Backend.h"
#include "WindowState.h"

struct TextRun {
    int x;  // from the control's left edge
    int y;  // from its top edge
    std::string text;
};

std::vector<TextRun> LayOutStaticText(HWND control, const TextMetrics& metrics);

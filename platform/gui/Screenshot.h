// Renders the open dialogs offscreen, with no display, and writes them as a PNG.
#pragma once

#include <string>

class DialogFont;
class Driver;

// The area covered by the visible dialogs, drawn with the given font.
bool TakeScreenshot(const std::string& path, const DialogFont& font, std::string& error);
// Adds `screenshot FILE` to the driver, drawing with the window's font.
void AddScreenshotCommand(Driver& driver, const DialogFont& font);

// The platform's own message box: a small modal dialog with the text and an
// OK button, built from a template made on the spot.
#pragma once

#include <string>

#include "Geometry.h"

int RunMessageDialog(HWND owner, const std::string& text, const std::string& caption, UINT type);

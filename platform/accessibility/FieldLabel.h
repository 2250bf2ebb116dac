// The label a sighted reader reads for a field: the nearest text to its left
// whose row holds the field's middle. It is found through the desktop API
// alone, so that every accessibility bridge, on our window system (AT-SPI,
// the page's mirror) or on Windows (MSAA), names a field by the same rule.
#pragma once

#include <windows.h>

#include <string>

// The static whose text labels `field`; null where none stands on its row.
HWND FieldLabel(HWND field);

// Where one label speaks for two fields of its row, the program names the
// other outright, and so it names pictures that share a tooltip: the string
// resource kFieldNameStrings + the control's id.
inline constexpr UINT kFieldNameStrings = 20000;
// That name, in the resources' language (UTF-8); empty where the field has none.
std::string FieldOwnName(HWND field);

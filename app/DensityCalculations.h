// The two calculations of the calculator, as pure functions of the values
// the dialog has just read.
#pragma once

#include <string>

#include "../platform/class_library/AfxWin32.h"

struct PixelDensity {
    UINT ppi = 0;
    UINT ppc = 0;
    bool operator==(const PixelDensity&) const = default;
};

// Pixels per inch and per centimetre; (0, 0) when any input is out of range.
PixelDensity ComputePixelDensity(UINT x, UINT y, double diagonal);
// The capacity the operating system reports for a nominal one, as "%4.2f GB";
// empty outside 2 to 3000 GB.
std::string FormatReportedCapacity(UINT nominalGB);

#include "DensityCalculations.h"

#include <charconv>
#include <cmath>

namespace {

constexpr UINT kMaxPixels = 20000;
constexpr double kMaxDiagonal = 501.0;
// The single-precision number nearest to 1/2.54: slightly below it, so a PPI
// that is a multiple of 127 gives one PPC less than PPI/2.54.
constexpr double kCentimetreFactor = 6605203.0 / 16777216.0;
constexpr UINT kMinNominalGB = 2;
constexpr UINT kMaxNominalGB = 3000;
// Decimal gigabytes to gigabytes of 2^30 bytes, exact in double precision.
constexpr double kGigabyteFactor = 1953125.0 / 2097152.0;

// Truncation toward zero, held inside 32 bits: a tiny positive diagonal can
// otherwise give a quotient no UINT holds.
UINT TruncateToUint(double value) {
    if (!(value > 0.0)) return 0;
    if (value >= 4294967295.0) return 4294967295u;
    return static_cast<UINT>(value);
}

}  // namespace

PixelDensity ComputePixelDensity(UINT x, UINT y, double diagonal) {
    // Written so that NaN fails the test as well.
    if (x == 0 || x > kMaxPixels || y == 0 || y > kMaxPixels || !(diagonal > 0.0) || !(diagonal < kMaxDiagonal)) return {};
    const double dy = y;
    const double dx = x;
    const double quotient = std::sqrt(dy * dy + dx * dx) / diagonal;
    PixelDensity result;
    result.ppi = TruncateToUint(quotient);
    result.ppc = TruncateToUint(result.ppi * kCentimetreFactor);
    return result;
}

std::string FormatReportedCapacity(UINT nominalGB) {
    if (nominalGB < kMinNominalGB || nominalGB > kMaxNominalGB) return {};
    const double reported = static_cast<double>(nominalGB) * kGigabyteFactor;
    // Formatted without the C library's locale: the point is always '.'.
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, reported, std::chars_format::fixed, 2).ptr;
    std::string text(buffer, end);
    if (text.size() < 4) text.insert(0, 4 - text.size(), ' ');
    return text + " GB";
}

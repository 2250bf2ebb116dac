#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "app/DensityCalculations.h"

namespace {

struct DensityRow {
    UINT x;
    UINT y;
    double diagonal;
    UINT ppi;
    UINT ppc;
};

TEST(ComputePixelDensity, MatchesTheTable) {
    const DensityRow rows[] = {
        {1920, 1080, 4.5, 489, 192},
        {1280, 720, 4.5, 326, 128},
        {3840, 2160, 27.0, 163, 64},
        {1366, 768, 15.6, 100, 39},
        {1270, 1, 10.0, 127, 49},
        {3, 4, 0.1, 50, 19},
        {20000, 20000, 0.1, 282842, 111355},
        {20000, 20000, 500.9, 56, 22},
        {1, 1, 500.9, 0, 0},
        {20001, 1080, 4.5, 0, 0},
        {1920, 0, 4.5, 0, 0},
        {1920, 1080, 0.0, 0, 0},
        {1920, 1080, 501.0, 0, 0},
        {1920, 1080, -4.5, 0, 0},
    };
    for (const DensityRow& r : rows) {
        const PixelDensity d = ComputePixelDensity(r.x, r.y, r.diagonal);
        EXPECT_EQ(d.ppi, r.ppi) << r.x << " x " << r.y << " at " << r.diagonal;
        EXPECT_EQ(d.ppc, r.ppc) << r.x << " x " << r.y << " at " << r.diagonal;
    }
}

TEST(ComputePixelDensity, PpcComesFromTheTruncatedPpiWithTheSinglePrecisionFactor) {
    // PPI 254 is 2 x 127: one less than 254 / 2.54 = 100.
    EXPECT_EQ(ComputePixelDensity(2540, 1, 10.0), (PixelDensity{254, 99}));
}

TEST(ComputePixelDensity, IsDefinedForEveryDouble) {
    const double odd[] = {std::numeric_limits<double>::quiet_NaN(),
                          std::numeric_limits<double>::infinity(),
                          -std::numeric_limits<double>::infinity(),
                          std::numeric_limits<double>::denorm_min(),
                          1e-300,
                          -0.0};
    for (const double d : odd) {
        const PixelDensity result = ComputePixelDensity(20000, 20000, d);
        if (d > 0 && d < 501) {
            EXPECT_EQ(result.ppi, 4294967295u) << d;
        } else {
            EXPECT_EQ(result, PixelDensity{}) << d;
        }
    }
    // Below 0.1 the quotient still fits for small screens and is truncated as usual.
    EXPECT_EQ(ComputePixelDensity(3, 4, 0.05).ppi, 100u);
}

TEST(FormatReportedCapacity, MatchesTheTable) {
    const std::pair<UINT, const char*> rows[] = {
        {0, ""},    {1, ""}, {2, "1.86 GB"}, {80, "74.51 GB"}, {320, "298.02 GB"}, {500, "465.66 GB"}, {1000, "931.32 GB"}, {3000, "2793.97 GB"},
        {3001, ""},
    };
    for (const auto& [nominal, text] : rows) EXPECT_EQ(FormatReportedCapacity(nominal), text) << nominal;
}

TEST(FormatReportedCapacity, IgnoresTheCLibraryLocale) {
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    // A locale whose decimal separator is ',': without one, the test would prove nothing.
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "the locale de_DE.UTF-8 is not generated (tools/install-deps does)";
    EXPECT_EQ(FormatReportedCapacity(320), "298.02 GB");
    std::setlocale(LC_NUMERIC, saved.c_str());
}

}  // namespace

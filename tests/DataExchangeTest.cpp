#include <gtest/gtest.h>

#include <cmath>

#include "platform/class_library/DataExchange.h"

namespace {

TEST(DataExchangeReading, UnsignedFields) {
    const std::pair<const char*, long long> rows[] = {
        {"1280", 1280},
        {" 42\t", 42},
        {"0", 0},
        {"007", 7},
        {"", -1},
        {"   ", -1},
        {"-1", -1},
        {"12a", -1},
        {"1 2", -1},
        {"+5", -1},
        {"4294967295", 4294967295LL},
        {"4294967296", 4294967295LL},
        {"99999999999999999999", 4294967295LL},
    };
    for (const auto& [text, expected] : rows) {
        UINT value = 77;
        const bool ok = ParseUnsigned(text, value);
        EXPECT_EQ(ok, expected >= 0) << '"' << text << '"';
        if (ok)
            EXPECT_EQ(value, static_cast<UINT>(expected)) << '"' << text << '"';
        else
            EXPECT_EQ(value, 77u) << "a failed read leaves the member alone";
    }
}

TEST(DataExchangeReading, NumberFields) {
    const std::pair<const char*, double> readable[] = {
        {"4.5", 4.5}, {" 6 ", 6.0}, {"0", 0.0}, {"0.0", 0.0}, {"-12.5", -12.5}, {"+3", 3.0}, {"1e2", 100.0}, {"1234.5", 1234.5},
    };
    for (const auto& [text, expected] : readable) {
        double value = -1;
        EXPECT_TRUE(ParseDouble(text, value)) << text;
        EXPECT_EQ(value, expected) << text;
    }
    // Empty, trailing characters, and a zero not written with a leading '0'.
    for (const char* text : {"", " ", "4,5", "4.5x", "-0", ".0", "--1", "0x10", "1 2"}) {
        double value = 9;
        EXPECT_FALSE(ParseDouble(text, value)) << '"' << text << '"';
        EXPECT_EQ(value, 9);
    }
}

TEST(DataExchangeWriting, GeneralFormWithFifteenDigits) {
    const std::pair<double, const char*> rows[] = {
        {4.5, "4.5"},    {6.0, "6"}, {5.0, "5"}, {0.0, "0"}, {-12.0, "-12"}, {0.1, "0.1"}, {1234567.8, "1234567.8"}, {1.0 / 3.0, "0.333333333333333"},
        {1e20, "1e+20"},
    };
    for (const auto& [value, text] : rows) EXPECT_EQ(FormatDouble(value), text) << value;
    EXPECT_EQ(FormatUnsigned(4294967295u), "4294967295");
}

}  // namespace

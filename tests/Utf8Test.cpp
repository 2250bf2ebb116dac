#include <gtest/gtest.h>

#include "platform/window_system/Utf8.h"

namespace {

// Text from outside, and what each back end must make of it: every invalid
// sequence one U+FFFD, and never a valid character swallowed behind it.
TEST(Utf8, InvalidSequencesReadAsOneReplacementEach) {
    struct Row {
        const char* name;
        std::string text;
        std::u32string decoded;
    };
    const Row rows[] = {
        {"plain", "a1", U"a1"},
        {"Chinese", "\xE7\x9F\xA9", U"\u77E9"},
        {"four bytes", "\xF0\x9F\x98\x80", U"\U0001F600"},
        {"a stray lead byte keeps the digits behind it",
         "\xFF"
         "12",
         U"\uFFFD12"},
        {"a cut-off character",
         "\xE2\x80"
         "1",
         U"\uFFFD1"},
        {"a lone continuation byte", "\x80", U"\uFFFD"},
        {"an overlong slash", "\xC0\xAF", U"\uFFFD\uFFFD"},
        {"a surrogate", "\xED\xA0\x80", U"\uFFFD\uFFFD\uFFFD"},
        {"past Unicode", "\xF4\x90\x80\x80", U"\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"at the end", "9\xF0\x9F", U"9\uFFFD"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(DecodeUtf8(row.text), row.decoded) << row.name;
        std::string encoded;
        for (const char32_t cp : row.decoded) encoded += EncodeUtf8(cp);
        EXPECT_EQ(RepairUtf8(row.text), encoded) << row.name;
    }
}

TEST(Utf8, EncodingOutsideUnicodeGivesTheReplacement) {
    EXPECT_EQ(EncodeUtf8(0x110000), "\xEF\xBF\xBD");
    EXPECT_EQ(EncodeUtf8(0xD800), "\xEF\xBF\xBD");
    EXPECT_EQ(EncodeUtf8(0x7FF), "\xDF\xBF");
}

}  // namespace

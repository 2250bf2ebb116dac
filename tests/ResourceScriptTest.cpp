#include <gtest/gtest.h>

#include "tools/ResourceScript.h"

namespace {

TEST(ResourceScript, HoldsEveryResourceOfTheProgram) {
    const std::string rc = WriteResourceScript(ProgramResources(), "Dotwise.ico");
    for (const char* expected : {"128 ICON \"Dotwise.ico\"", "102 DIALOGEX 0, 0, 302, 265", "100 DIALOG 0, 0, 235, 239", "CAPTION \"关于 Dotwise\"",
                                 "FONT 9, \"宋体\"", "101 \"关于 Dotwise(&A)...\"", "CONTROL \"确定\", 1, \"Button\"", "CONTROL \"\", 1004, \"Edit\"",
                                 "FILEVERSION 1,0,0,1", "BLOCK \"080404b0\"", "VALUE \"OriginalFilename\", \"Dotwise.EXE\\0\"",
                                 "VALUE \"ProductName\", \"Dotwise 应用程序\\0\"", "VALUE \"Translation\", 0x0804, 0x04b0"})
        EXPECT_NE(rc.find(expected), std::string::npos) << expected;
}

TEST(ResourceScript, TheIconFileHoldsBothImagesOfGroup128) {
    const std::vector<BYTE> ico = WriteIconFile(ProgramResources().iconGroups[0]);
    ASSERT_GE(ico.size(), 38u);
    EXPECT_EQ(ico[2], 1);  // an icon
    EXPECT_EQ(ico[4], 2);  // two images
    EXPECT_EQ(ico[6], 32);
    EXPECT_EQ(ico[6 + 16], 16);
    // 32 x 32 at 4 bits: header 40, palette 64, colour 512, mask 128.
    EXPECT_EQ(ico[14] | (ico[15] << 8), 744);
    EXPECT_EQ(ico.size(), 6u + 2 * 16 + 744 + (40 + 64 + 128 + 64));
}

}  // namespace

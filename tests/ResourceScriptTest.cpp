#include <gtest/gtest.h>

#include "tools/ResourceScript.h"

namespace {

TEST(ResourceScript, HoldsEveryResourceOfTheProgramInBothLanguages) {
    const std::string rc = WriteResourceScript(ProgramResourceSets(), "Dotwise.ico");
    for (const char* expected :
         {"LANGUAGE 0x04, 0x02", "LANGUAGE 0x09, 0x01", "128 ICON \"Dotwise.ico\"", "102 DIALOGEX 0, 0, 302, 265", "100 DIALOG 0, 0, 235, 239",
          "CAPTION \"关于 Dotwise\"", "CAPTION \"About Dotwise\"", "FONT 9, \"宋体\"", "101 \"关于 Dotwise(&A)...\"", "101 \"&About Dotwise...\"",
          "CONTROL \"确定\", 1, \"Button\"", "CONTROL \"OK\", 1, \"Button\"", "CONTROL \"\", 1004, \"Edit\"", "FILEVERSION 1,0,0,1",
          "BLOCK \"080404b0\"", "BLOCK \"040904b0\"", "VALUE \"OriginalFilename\", \"Dotwise.EXE\\0\"",
          "VALUE \"ProductName\", \"Dotwise 应用程序\\0\"", "VALUE \"Translation\", 0x0804, 0x04b0, 0x0409, 0x04b0"})
        EXPECT_NE(rc.find(expected), std::string::npos) << expected;
    // Each language's dialogs and strings stand after its own LANGUAGE statement, once.
    const std::size_t english = rc.find("LANGUAGE 0x09, 0x01");
    EXPECT_LT(rc.find("CAPTION \"关于 Dotwise\""), english);
    EXPECT_GT(rc.find("CAPTION \"About Dotwise\""), english);
    EXPECT_EQ(rc.find("ICON", rc.find("ICON") + 1), std::string::npos);
    EXPECT_EQ(rc.find("VERSIONINFO", rc.find("VERSIONINFO") + 1), std::string::npos);
}

TEST(ResourceScript, TheIconFileHoldsBothImagesOfGroup128) {
    const std::vector<BYTE> ico = WriteIconFile(ProgramResourceSets().front().iconGroups[0]);
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

// What the font dialog's choice makes of the stored font record.
#include "platform/LogFont.h"

#include <gtest/gtest.h>

#include <string>

TEST(LogFont, ChosenFontKeepsTheOtherFieldsCutsTheFaceAndCapsTheSize)
{
    LogFontRecord previous;
    previous.lfCharSet = 128;
    previous.lfPitchAndFamily = 0x31;
    previous.lfHeight = 14;
    bool capped = true;
    LogFontRecord font = ChosenFontRecord(previous, "IPAGothic", 20, true, true, 96, capped);
    EXPECT_FALSE(capped);
    EXPECT_EQ(font.lfHeight, 20);
    EXPECT_EQ(font.lfWeight, 700);
    EXPECT_EQ(font.lfItalic, 1);
    EXPECT_EQ(font.lfCharSet, 128);
    EXPECT_EQ(font.lfPitchAndFamily, 0x31);
    EXPECT_STREQ(font.lfFaceName, "IPAGothic");

    // 100 pixels at 96 dpi are 75 points: 200 points is stored as 75, 75 stays.
    font = ChosenFontRecord(previous, "IPAGothic", 200, false, false, 96, capped);
    EXPECT_TRUE(capped);
    EXPECT_EQ(font.lfHeight, 75);
    EXPECT_EQ(font.lfWeight, 400);
    font = ChosenFontRecord(previous, "IPAGothic", 75, false, false, 96, capped);
    EXPECT_FALSE(capped);
    EXPECT_EQ(font.lfHeight, 75);

    // The face keeps 31 bytes and its terminator, never half a character:
    // 30 ASCII bytes and a double-byte character leave only the 30.
    const std::string longFace(40, 'F');
    font = ChosenFontRecord(previous, longFace.c_str(), 10, false, false, 96, capped);
    EXPECT_EQ(std::string(font.lfFaceName), longFace.substr(0, 31));
    const std::string split = std::string(30, 'F') + "\x82\xa0";
    font = ChosenFontRecord(previous, split.c_str(), 10, false, false, 96, capped);
    EXPECT_EQ(std::string(font.lfFaceName), std::string(30, 'F'));
}

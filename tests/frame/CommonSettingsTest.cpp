#include "frame/CommonSettings.h"

#include "app/Settings.h"

#include <gtest/gtest.h>

// Every byte round-trips through its field text; one or two digits in either
// case are read, an empty field is none, anything else is refused.
TEST(CommonSettings, ColouringBytesRoundTripAndOddTextIsRefused)
{
    for (int value = 0; value <= kNoColouringByte; ++value)
        EXPECT_EQ(ParseColouringByte(ColouringByteText(value)), value) << value;
    EXPECT_EQ(ColouringByteText(0x0A), "a");
    EXPECT_EQ(ColouringByteText(0xFE), "fe");
    EXPECT_EQ(ColouringByteText(kNoColouringByte), "");
    EXPECT_EQ(ParseColouringByte("Fe"), 0xFE);
    EXPECT_EQ(ParseColouringByte("0A"), 0x0A);
    for (const char* refused : {"100", "0x1", "g", " 1", "1 ", "-1", "+f"})
        EXPECT_EQ(ParseColouringByte(refused), std::nullopt) << refused;
}

// Only the four switches the windows follow are reported, by state, not by
// stored value; the colouring bytes take effect with the stored ones, and the
// radix picks the block size in use without touching either count.
TEST(CommonSettings, ApplyReportsWhatTheWindowsFollow)
{
    CSettings target;
    target.LongTitle = 2; // any non-zero value is on
    target.Binary1InEffect = 7;
    CSettings edited = target;
    edited.LongTitle = 1;
    EXPECT_FALSE(ApplyCommonSettings(edited, target).longTitle);
    EXPECT_EQ(target.Binary1InEffect, kNoColouringByte);

    edited.BytesPerLine = 8;
    edited.DisplayTabBar = 0;
    edited.MultiInstance = 0;
    edited.LongTitle = 0;
    edited.Binary2 = 0x41;
    edited.HexAddress = 0;
    const CommonSettingsChanges changes = ApplyCommonSettings(edited, target);
    EXPECT_TRUE(changes.bytesPerLine && changes.displayTabBar && changes.multiInstance && changes.longTitle);
    EXPECT_EQ(target.Binary2InEffect, 0x41);
    EXPECT_EQ(target.blockBytes(), target.DecimalBlockBytes);
    EXPECT_EQ(target.HexBlockBytes, CSettings().HexBlockBytes);

    const CommonSettingsChanges none = ApplyCommonSettings(edited, target);
    EXPECT_FALSE(none.bytesPerLine || none.displayTabBar || none.multiInstance || none.longTitle);
}

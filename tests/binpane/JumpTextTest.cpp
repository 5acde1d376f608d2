// The jump dialog's text rules.
#include "binpane/JumpText.h"

#include <gtest/gtest.h>

TEST(JumpText, TakesOnlyDecimalOrPrefixedHexadecimalOfUpToTenCharacters)
{
    struct Valid { const char* text; uint64_t value; };
    for (const Valid& v : {Valid{"0x1F", 31}, Valid{"31", 31}, Valid{"0X1f", 31}, Valid{"0", 0},
                           Valid{"0x0000", 0}, Valid{"0xFFFFFFFF", 0xFFFFFFFF},
                           Valid{"9999999999", 9'999'999'999}, Valid{"007", 7}}) {
        EXPECT_EQ(parseJumpText(v.text), v.value) << v.text;
    }
    // Texts that are not wholly a number are refused.
    for (const char* text : {"", "0x", "0X", "x1", "12ab", "0xG", "0x1G", "12345678901",
                             "0x123456789", " 12", "+1", "-1", "1 ", "1.5"}) {
        EXPECT_EQ(parseJumpText(text), std::nullopt) << '"' << text << '"';
    }
}

TEST(JumpText, AcceptedTextIsRememberedAndTheOffsetStopsAtTheDataSize)
{
    g_strJumpText = "0x0000";
    EXPECT_EQ(acceptJumpText("12ab", 100), std::nullopt);
    EXPECT_EQ(g_strJumpText, "0x0000");
    EXPECT_EQ(acceptJumpText("0x1F", 100), 31u);
    EXPECT_EQ(g_strJumpText, "0x1F");
    EXPECT_EQ(acceptJumpText("9999999999", 100), 100u);
    EXPECT_EQ(acceptJumpText("100", 100), 100u);
    EXPECT_EQ(acceptJumpText("5", 0), 0u);
    EXPECT_EQ(g_strJumpText, "5");
    g_strJumpText = "0x0000";
}

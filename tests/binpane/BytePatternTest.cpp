// Patterns from typed text: hex digits, plain bytes, and the escape table.
#include "binpane/BytePattern.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

} // namespace

TEST(BytePattern, HexPartTakesPairsOfDigitsInEitherCaseWithBlanksBetweenPairs)
{
    for (const char* good : {"4a4B", "4A 4b", " 4a\t 4B "}) {
        const BytePattern p = patternFromText(good, PatternSource::HexPart, true);
        EXPECT_FALSE(p.refused) << good;
        EXPECT_EQ(p.bytes, (Bytes{0x4A, 0x4B})) << good;
        EXPECT_EQ(p.anyByte, (Bytes{0, 0})) << good;
    }
    // An escape means nothing in the hex part.
    for (const char* bad : {"\\.", "4A4", "4G", "4 A4B", "4A 4", "0x4A"}) {
        const BytePattern refused = patternFromText(bad, PatternSource::HexPart, false);
        EXPECT_TRUE(refused.refused) << bad;
        EXPECT_TRUE(refused.empty()) << bad;
    }
    EXPECT_FALSE(patternFromText("", PatternSource::HexPart, false).refused);
}

TEST(BytePattern, EscapesGiveTheirBytesAndMalformedOnesKeepTheirBackslash)
{
    struct Case { std::string text; Bytes bytes; };
    const Case cases[] = {
        {"\\a\\A\\b\\B\\f\\F\\t\\T\\v\\V", {0x07, 0x07, 0x08, 0x08, 0x0C, 0x0C, 0x09, 0x09, 0x0B, 0x0B}},
        {"\\n\\N\\\\", {0x0D, 0x0A, 0x0D, 0x0A, '\\'}},
        {"\\xff\\XA\\x7g\\x414", {0xFF, 0x0A, 0x07, 'g', 0x41, '4'}}, // two digits at most
        {"\\q\\x\\Xz", {'\\', 'q', '\\', 'x', '\\', 'X', 'z'}},
        {"\\q\\t", {'\\', 'q', 0x09}}, // a kept backslash does not swallow the next escape
        {"ab\\", {'a', 'b', '\\'}},
        // 0x95 0x5C is one character whose trail byte is a backslash.
        {"\x95\\n\\\x95\\a\x95", {0x95, '\\', 'n', '\\', 0x95, '\\', 'a', 0x95}},
    };
    for (const Case& c : cases) {
        const BytePattern p = patternFromText(c.text, PatternSource::CharPart, true);
        EXPECT_EQ(p.bytes, c.bytes) << c.text;
        EXPECT_FALSE(p.hasAnyByte()) << c.text;
    }
    // Only the escaped dot matches any byte.
    const BytePattern any = patternFromText("A\\.C.", PatternSource::CharPart, true);
    EXPECT_EQ(any.bytes, (Bytes{'A', '.', 'C', '.'}));
    EXPECT_EQ(any.anyByte, (Bytes{0, 1, 0, 0}));
    // Without escapes, and over the escape limit, the text is taken as it is.
    EXPECT_EQ(patternFromText("a\\.b\\n\\", PatternSource::CharPart, false).bytes,
              (Bytes{'a', '\\', '.', 'b', '\\', 'n', '\\'}));
    std::string text = "\\t" + std::string(254, 'a');
    EXPECT_EQ(patternFromText(text, PatternSource::CharPart, true).size(), 255u);
    text += 'a';
    EXPECT_EQ(patternFromText(text, PatternSource::CharPart, true).size(), 257u);
}

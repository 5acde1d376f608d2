// Patterns from typed text: hex digits, plain bytes, and the escape table.
#include "binpane/BytePattern.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes escaped(const std::string& text)
{
    const BytePattern p = patternFromText(text, PatternSource::CharPart, true);
    EXPECT_FALSE(p.refused);
    EXPECT_EQ(p.anyByte.size(), p.bytes.size());
    return p.bytes;
}

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
    EXPECT_TRUE(patternFromText("\\.", PatternSource::HexPart, true).refused);
    for (const char* bad : {"4A4", "4G", "4 A4B", "4A 4", "0x4A"}) {
        const BytePattern refused = patternFromText(bad, PatternSource::HexPart, false);
        EXPECT_TRUE(refused.refused) << bad;
        EXPECT_TRUE(refused.empty()) << bad;
    }
    const BytePattern none = patternFromText("", PatternSource::HexPart, false);
    EXPECT_TRUE(none.empty());
    EXPECT_FALSE(none.refused);
}

TEST(BytePattern, WithoutEscapesTheTextIsTakenAsItIs)
{
    const BytePattern p = patternFromText("a\\.b\\n\\", PatternSource::CharPart, false);
    EXPECT_EQ(p.bytes, (Bytes{'a', '\\', '.', 'b', '\\', 'n', '\\'}));
    EXPECT_FALSE(p.hasAnyByte());
}

TEST(BytePattern, EveryEscapeInEitherCaseGivesItsBytes)
{
    EXPECT_EQ(escaped("\\a\\A\\b\\B\\f\\F\\t\\T\\v\\V"),
              (Bytes{0x07, 0x07, 0x08, 0x08, 0x0C, 0x0C, 0x09, 0x09, 0x0B, 0x0B}));
    EXPECT_EQ(escaped("\\n\\N"), (Bytes{0x0D, 0x0A, 0x0D, 0x0A}));
    EXPECT_EQ(escaped("\\\\"), (Bytes{'\\'}));
    EXPECT_EQ(escaped("\\x0D\\n"), (Bytes{0x0D, 0x0D, 0x0A}));
    EXPECT_EQ(escaped("\\xff\\XA\\x7g"), (Bytes{0xFF, 0x0A, 0x07, 'g'}));
    // Two digits at most: the third is an ordinary character.
    EXPECT_EQ(escaped("\\x414"), (Bytes{0x41, '4'}));
}

TEST(BytePattern, MalformedEscapesKeepTheirBackslash)
{
    EXPECT_EQ(escaped("\\q"), (Bytes{'\\', 'q'}));
    EXPECT_EQ(escaped("\\x"), (Bytes{'\\', 'x'}));
    EXPECT_EQ(escaped("\\Xz"), (Bytes{'\\', 'X', 'z'}));
    EXPECT_EQ(escaped("ab\\"), (Bytes{'a', 'b', '\\'}));
    // After a kept backslash the next character is read as an ordinary one,
    // so a following backslash starts an escape of its own.
    EXPECT_EQ(escaped("\\q\\t"), (Bytes{'\\', 'q', 0x09}));
}

TEST(BytePattern, AnyByteFlagMarksOnlyTheEscapedDot)
{
    const BytePattern p = patternFromText("A\\.C.", PatternSource::CharPart, true);
    EXPECT_EQ(p.bytes, (Bytes{'A', '.', 'C', '.'}));
    EXPECT_EQ(p.anyByte, (Bytes{0, 1, 0, 0}));
    EXPECT_TRUE(p.hasAnyByte());
}

TEST(BytePattern, DoubleByteCharactersAreNotReadAsEscapes)
{
    // 0x95 0x5C is one character whose trail byte is a backslash.
    EXPECT_EQ(escaped("\x95\\n"), (Bytes{0x95, '\\', 'n'}));
    // A backslash before a double-byte character stays, the character whole.
    EXPECT_EQ(escaped("\\\x95\\"), (Bytes{'\\', 0x95, '\\'}));
    // A lead byte at the very end stands alone.
    EXPECT_EQ(escaped("a\x95"), (Bytes{'a', 0x95}));
}

TEST(BytePattern, TextsOverTheEscapeLimitAreTakenAsTheyAre)
{
    std::string text(256, 'a');
    text.replace(0, 2, "\\t");
    EXPECT_EQ(escaped(text).size(), 255u);
    text += 'a';
    EXPECT_EQ(escaped(text).size(), 257u);
}

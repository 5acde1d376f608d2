#include "platform/Cp932.h"
#include "support/Utf8Model.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using cp932::CharKind;

namespace {

// The classification rule read literally: walk back over bytes of 0x40 and
// above, then scan forward character by character.
CharKind LiteralClassification(const uint8_t* s, size_t k)
{
    if (k == 0 || s[k] < 0x40)
        return CharKind::Single;
    size_t start = k;
    while (start > 0 && s[start] >= 0x40)
        --start;
    size_t i = start;
    while (i < k)
        i += cp932::IsLeadByte(s[i]) ? 2 : 1;
    if (i > k)
        return CharKind::Trail;
    return cp932::IsLeadByte(s[k]) ? CharKind::Lead : CharKind::Single;
}

// Mostly lead bytes so that long runs occur, with the bytes that end a walk
// (below 0x40) and ordinary trail-range letters mixed in.
uint8_t BiasedByte(std::mt19937& rng)
{
    const unsigned pick = rng() % 100;
    if (pick < 45)
        return rng() % 2 ? static_cast<uint8_t>(0x81 + rng() % 31) : static_cast<uint8_t>(0xE0 + rng() % 29);
    if (pick < 70)
        return static_cast<uint8_t>(0x40 + rng() % 0x3F);
    if (pick < 85)
        return static_cast<uint8_t>(rng() % 0x40);
    return static_cast<uint8_t>(rng());
}

std::string ModelUtf8(const std::vector<uint8_t>& s)
{
    return utf8model::ToUtf8(std::string_view(reinterpret_cast<const char*>(s.data()), s.size()));
}

std::string Bytes(std::initializer_list<int> values)
{
    std::string s;
    for (int v : values)
        s += static_cast<char>(v);
    return s;
}

} // namespace

TEST(Cp932, ClassificationAgreesWithTheLiteralWalkBackRule)
{
    std::mt19937 rng(932);
    for (int round = 0; round < 20000; ++round) {
        std::vector<uint8_t> s(1 + rng() % 48);
        for (uint8_t& b : s)
            b = BiasedByte(rng);
        for (size_t k = 0; k < s.size(); ++k)
            ASSERT_EQ(cp932::ClassifyPosition(s.data(), s.size(), k), LiteralClassification(s.data(), k))
                << "round " << round << " position " << k;
    }
    // A long run of lead bytes from the start: parity alone decides.
    std::vector<uint8_t> run(10001, 0x81);
    EXPECT_EQ(cp932::ClassifyPosition(run.data(), run.size(), 0), CharKind::Single);
    EXPECT_EQ(cp932::ClassifyPosition(run.data(), run.size(), 9999), CharKind::Trail);
    EXPECT_EQ(cp932::ClassifyPosition(run.data(), run.size(), 10000), CharKind::Lead);
}

TEST(Cp932, JisAndShiftJisConvertBothWaysOverAllRows)
{
    EXPECT_EQ(cp932::JisToSjis(0x2422), 0x82A0); // hiragana a
    EXPECT_EQ(cp932::JisToSjis(0x2160), 0x8180); // 0x7F is skipped as a trail byte
    for (unsigned j1 = 0x21; j1 <= 0x7E; ++j1) {
        for (unsigned j2 = 0x21; j2 <= 0x7E; ++j2) {
            const uint16_t jis = static_cast<uint16_t>(j1 << 8 | j2);
            const uint16_t sjis = cp932::JisToSjis(jis);
            const uint8_t trail = sjis & 0xFF;
            ASSERT_TRUE(cp932::IsLeadByte(sjis >> 8) && trail >= 0x40 && trail <= 0xFC && trail != 0x7F)
                << std::hex << jis;
            ASSERT_EQ(cp932::SjisToJis(sjis), jis);
        }
    }
}

TEST(Cp932, Utf8DumpMatchesCharacterByCharacterSystemConversion)
{
    std::mt19937 rng(50);
    for (int round = 0; round < 40; ++round) {
        // Sizes beyond the internal chunk so pairs straddle chunk ends;
        // ASCII runs exercise the fast path.
        std::vector<uint8_t> s(rng() % 40000);
        for (size_t i = 0; i < s.size(); ++i)
            s[i] = rng() % 3 == 0 ? static_cast<uint8_t>(0x20 + rng() % 0x5F) : BiasedByte(rng);
        std::string out = "kept";
        cp932::AppendUtf8(out, s.data(), s.size());
        ASSERT_EQ(out, "kept" + ModelUtf8(s)) << "round " << round;
    }
    std::string straddling(16383, 'x');
    straddling += Bytes({0x82, 0xA0, 0x82});
    EXPECT_EQ(cp932::ToUtf8(straddling), std::string(16383, 'x') + "あ\xEF\xBF\xBD");
    // A full-width A, an undefined pair (one character), NUL, backslash, a lead byte before LF.
    EXPECT_EQ(cp932::ToUtf8(Bytes({0x82, 0x60, 0x82, 0x41, 0x00, 0x5C, 0x81, 0x0A})),
              std::string("\xEF\xBC\xA1\xEF\xBF\xBD") + '\0' + "\\\xEF\xBF\xBD\n");
}

TEST(Cp932, Utf8MatchesTheSystemConversionForEveryByteAndPair)
{
    // Every byte alone, then every two bytes, each followed by LF; blocks of
    // 300 bytes cut some apart, ending on a lone lead byte.
    std::vector<uint8_t> all;
    for (int b = 0; b < 256; ++b)
        all.insert(all.end(), { static_cast<uint8_t>(b), '\n' });
    for (int a = 0; a < 256; ++a) {
        for (int b = 0; b < 256; ++b)
            all.insert(all.end(), { static_cast<uint8_t>(a), static_cast<uint8_t>(b), '\n' });
    }
    std::vector<uint8_t> text(3 * 300 + 1);
    for (size_t from = 0; from < all.size(); from += 300) {
        const std::vector<uint8_t> block(all.begin() + static_cast<ptrdiff_t>(from),
                                         all.begin() + static_cast<ptrdiff_t>(std::min(all.size(), from + 300)));
        const size_t n = cp932::WriteUtf8(block.data(), block.size(), text.data());
        ASSERT_EQ(std::string(reinterpret_cast<char*>(text.data()), n), ModelUtf8(block)) << from;
    }
    // Drawing decodes one character from the same table; what is no pair is refused.
    EXPECT_EQ(cp932::ToUnicode(0x82, 0xA0), 0x3042u);
    EXPECT_EQ(cp932::ToUnicode(0x82), 0xFFFDu);       // a lead byte alone
    EXPECT_EQ(cp932::ToUnicode(0x82, 0x7F), 0xFFFDu); // not a trail byte
    EXPECT_EQ(cp932::ToUnicode(0x41, 0x41), 0xFFFDu); // not a lead byte
}

TEST(Cp932, EncodingRoundTripsEveryStandardCharacter)
{
    // ASCII, half-width katakana and the JIS X 0208 rows, where every
    // character has exactly one code.
    std::string bytes;
    std::u16string units;
    auto add = [&](std::string code, char32_t c) {
        bytes += code;
        units += static_cast<char16_t>(c);
    };
    for (int b = 0; b < 0x80; ++b)
        add(std::string(1, static_cast<char>(b)), static_cast<char32_t>(b));
    for (int b = 0xA1; b <= 0xDF; ++b)
        add(std::string(1, static_cast<char>(b)), cp932::ToUnicode(static_cast<uint8_t>(b)));
    for (int lead = 0x81; lead <= 0xEA; ++lead) {
        if (!cp932::IsLeadByte(static_cast<uint8_t>(lead)) || (lead >= 0x85 && lead <= 0x87))
            continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const char32_t c = cp932::ToUnicode(static_cast<uint8_t>(lead), trail);
            if (c != 0xFFFD)
                add(Bytes({lead, trail}), c);
        }
    }
    ASSERT_GT(units.size(), 7000u);
    EXPECT_EQ(cp932::FromUtf16(units.data(), units.size()), bytes);
    EXPECT_EQ(cp932::FromUtf8(cp932::ToUtf8(bytes)), bytes);
}

TEST(Cp932, UnrepresentableCharactersBecomeOneQuestionMarkEach)
{
    // é, an emoji (a surrogate pair), a lone high surrogate, a lone low one.
    const std::u16string units = u"a\u00E9\U0001F600b" + std::u16string(1, u'\xD800') + u"c" +
                                 std::u16string(1, u'\xDC00') + u"あ" + std::u16string(1, u'\xD800');
    EXPECT_EQ(cp932::FromUtf16(units.data(), units.size()), "a??b?c?\x82\xA0?");
    EXPECT_EQ(cp932::FromUtf16(u"\u0000x", 2), std::string("\0x", 2));

    EXPECT_EQ(cp932::FromUtf8("a\xC3\xA9\xF0\x9F\x98\x80\xEF\xBD\x9E"), "a??\x81\x60");
    EXPECT_EQ(cp932::FromUtf8("\xFF" "b"), "?b");              // not UTF-8 at all
    EXPECT_EQ(cp932::FromUtf8("x\xE3\x81"), "x?");             // cut short at the end
    EXPECT_EQ(cp932::FromUtf8("\xE3\x81" "z"), "?z");          // cut short in the middle
    EXPECT_EQ(cp932::FromUtf8("\xED\xA0\x80"), "???");         // an encoded surrogate
}

// The pattern matcher on a table of patterns and texts (the pattern language,
// its quirks and limits, width and case folding), then the prefilter held
// against the plain walk, and literal patterns against a plain search.
#include "support/CRecordingSink.h"
#include "PlainPatternFind.h"
#include "textpane/PatternMatcher.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

struct Flags
{
    bool regular = true;
    bool firstMatch = true;
    bool matchCase = false;
    bool distinguishWidth = false;
};
constexpr Flags kLiteral{false, true, false, false};
constexpr Flags kBackward{true, false, false, false};

struct Case
{
    const char* name;
    std::string pattern;
    std::string text;
    Flags flags;
    std::optional<PatternMatch> expected;
};

std::optional<PatternMatch> search(const std::string& text, const std::string& pattern, Flags f)
{
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    return findPattern(bytes, 0, static_cast<uint32_t>(text.size()), pattern, f.firstMatch,
                       f.matchCase, f.regular, f.distinguishWidth);
}

std::optional<PatternMatch> at(uint32_t position, uint32_t length)
{
    return PatternMatch{position, length};
}

TEST(PatternMatcher, AnswersEveryTableCase)
{
    const std::string fullABC = "\x82\x60\x82\x61\x82\x62"; // ＡＢＣ
    const std::string a80(80, 'a');
    const std::vector<Case> cases = {
        {"literal abc finds full-width ABC", "abc", "xx" + fullABC, kLiteral, at(2, 6)},
        {"distinguished widths keep them apart", "abc", fullABC, {false, true, false, true}, std::nullopt},
        {"case on keeps folded ABC from abc", "abc", fullABC, {false, true, true, false}, std::nullopt},
        {"case on, ABC finds folded ABC", "ABC", fullABC, {false, true, true, false}, at(0, 6)},
        {"half-width kana finds full-width", "\xB1\xB2", "\x82\xA0\x83\x41\x83\x43", kLiteral, at(2, 4)},
        {"full-width letters fold case", "\x82\x81", "\x82\x60", {false, true, false, true}, at(0, 2)},
        {"full-width letters keep case", "\x82\x81", "\x82\x60", {false, true, true, true}, std::nullopt},
        {"literal mode reads no specials", "a.*", "abc a.*", kLiteral, at(4, 3)},
        {"a star takes all a", "a*b", "aaab", {}, at(0, 4)},
        {"a plus needs one a", "a+b", "b", {}, std::nullopt},
        {"class plus", "[a-c]+x", "zzbcax", {}, at(2, 4)},
        {"class plus of alternatives", "[ab]+", "xaabx", {}, at(1, 3)},
        {"negated class star stops at a digit", "[^0-9]*", "ab1", {}, at(0, 2)},
        {"negated class misses a listed unit", "[^ab]", "a", {}, std::nullopt},
        {"negated class takes another unit", "[^ab]", "ac", {}, at(1, 1)},
        {"negated range without case", "[^a-z]", "aB1", {}, at(2, 1)},
        {"range with case", "[A-Z]", "aB1", {true, true, true, false}, at(1, 1)},
        {"line start at the region start", "^abc", "abc", {}, at(0, 3)},
        {"line start after CR LF", "^abc", "xabc\r\nabc", {}, at(6, 3)},
        {"line start not after LF alone", "^abc", "xabc\nabc", {}, std::nullopt},
        {"line end before CR LF", "abc$", "abcx\r\nabc\r\n", {}, at(6, 3)},
        {"line end at the region end", "abc$", "xabc", {}, at(1, 3)},
        {"one anchor only", "^abc$", "abc$", {}, at(0, 4)},
        {"one anchor only, no dollar", "^abc$", "abc", {}, std::nullopt},
        {"escaped star", "\\*", "a*b", {}, at(1, 1)},
        {"two backslashes find one", "\\\\", "a\\b", {}, at(1, 1)},
        {"trailing backslash disappears", "ab\\", "xab", {}, at(1, 2)},
        {"escaped class is text", "\\[a]", "a[a]", {}, at(1, 3)},
        {"a trail byte is no backslash", "\x83\x5C*", "\x83\x5C\x83\x5C", {}, at(0, 4)},
        {"star with nothing before it", "*a", "b*a", {}, at(1, 2)},
        {"unclosed class", "[ab", "xxb", {}, at(2, 1)},
        {"any unit, double-byte too", "a.c", "a\x82\xA0" "c", {}, at(0, 4)},
        {"a dot in a class is a dot", "[.]", "ab.", {}, at(2, 1)},
        {"lone lead at the region end is no unit", ".", "\x82", {}, std::nullopt},
        {"but a negated class takes it", "[^a]", "\x82", {}, at(0, 1)},
        {"no match on a trail byte", "A", "\x83\x41", {false, true, true, true}, std::nullopt},
        {"no match on a trail byte without case", "a", "\x83\x41", kLiteral, std::nullopt},
        {"backward answers the last", "ab", "ab ab ab", kBackward, at(6, 2)},
        {"backward walks whole matches", "aa", "aaa", kBackward, at(0, 2)},
        {"empty match answers nothing long", "x*", "abc", kBackward, at(2, 0)},
        {"backtracking into a repeat", "a*ab", "aab", {}, at(0, 3)},
        {"ten calls at most", "a*ab", "aaaxaaaxaaaxaaaxaab", {}, std::nullopt},
        {"80 bytes", a80, a80, kLiteral, at(0, 80)},
        {"81 bytes", a80 + "a", a80 + "a", kLiteral, std::nullopt},
        {"empty pattern", "", "abc", kLiteral, std::nullopt},
        {"only an anchor", "^", "abc", {}, std::nullopt},
        {"a pattern ends at its NUL", std::string("b\0c", 3), "abc", kLiteral, at(1, 1)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(search(c.text, c.pattern, c.flags), c.expected) << c.name;
}

TEST(PatternMatcher, RefusesWalksThatDisagreeAfterTheAssertBox)
{
    for (const char* pattern : {"[a-]b", "[]a", "[a]**"}) {
        CRecordingSink sink;
        EXPECT_EQ(search("ab]b a", pattern, {}), std::nullopt) << pattern;
        ASSERT_EQ(sink.texts.size(), 1u) << pattern;
        EXPECT_EQ(sink.texts[0], "ASSERT");
        EXPECT_EQ(sink.captions[0], "ASSERT");
    }
    CRecordingSink sink;
    EXPECT_EQ(search("ab", "[a-]", {}), at(0, 1)); // alone, the class still agrees
    EXPECT_TRUE(sink.texts.empty());
}

// Few distinct units, so matches and near misses are frequent: letters in
// both cases and widths, kana in both widths, CR LF, the specials of the
// pattern language and lead bytes whose trails look like them.
const std::vector<std::string> kUnits = {
    "a", "A", "b", "c", "\r", "\n", "*", "[", "]", "-", "^", "$", ".", "\\", "+", "0",
    "\x82\x60", "\x82\x81", "\x82\x61", "\x83\x41", "\xB1", "\x83\x5C", "\x82\x5B", "\x81\x40", " ",
};

std::string randomText(std::mt19937& rng, size_t units)
{
    std::string s;
    for (size_t i = 0; i < units; ++i)
        s += kUnits[rng() % kUnits.size()];
    if (rng() % 8 == 0)
        s += '\x82'; // a lone lead byte at the end
    return s;
}

struct Region
{
    uint32_t start, end;
};

// A region that starts on a unit and may end anywhere.
Region randomRegion(std::mt19937& rng, const std::string& text)
{
    std::vector<uint32_t> starts;
    for (uint32_t i = 0; i < text.size(); i += cp932::IsLeadByte(uint8_t(text[i])) && i + 1 < text.size() ? 2 : 1)
        starts.push_back(i);
    const uint32_t start = starts.empty() || rng() % 2 ? 0 : starts[rng() % starts.size()];
    const uint32_t end = rng() % 3 ? uint32_t(text.size()) : start + rng() % (uint32_t(text.size()) - start + 1);
    return {start, end};
}

std::optional<PatternMatch> findIn(const std::string& text, Region r, const std::string& pattern, Flags f)
{
    return findPattern(reinterpret_cast<const uint8_t*>(text.data()), r.start, r.end, pattern,
                       f.firstMatch, f.matchCase, f.regular, f.distinguishWidth);
}

Flags randomFlags(std::mt19937& rng, bool regular)
{
    return {regular, rng() % 2 == 0, rng() % 2 == 0, rng() % 2 == 0};
}

TEST(PatternMatcher, SkipsToTheSameAnswersAsThePlainWalk)
{
    CRecordingSink sink; // the boxes of patterns the compiler refuses
    std::mt19937 rng(20261206);
    for (int round = 0; round < 4000; ++round) {
        const std::string text = randomText(rng, rng() % 60);
        std::string pattern = randomText(rng, 1 + rng() % 6);
        const Region region = randomRegion(rng, text);
        const Flags flags = randomFlags(rng, rng() % 4 != 0);
        SetPatternSkipping(PatternSkipping::Never);
        const auto plain = findIn(text, region, pattern, flags);
        SetPatternSkipping(PatternSkipping::Always);
        const auto skipped = findIn(text, region, pattern, flags);
        SetPatternSkipping(PatternSkipping::Auto);
        ASSERT_EQ(skipped, plain) << "round " << round << " pattern " << pattern << " text " << text;
    }
}

TEST(PatternMatcher, LiteralPatternsFindWhatAPlainSearchFinds)
{
    std::mt19937 rng(61202026);
    for (int round = 0; round < 4000; ++round) {
        const std::string text = randomText(rng, rng() % 60);
        const Region region = randomRegion(rng, text);
        std::string pattern = rng() % 2 && region.end > region.start + 1
            ? text.substr(region.start + rng() % (region.end - region.start), 1 + rng() % 6)
            : randomText(rng, 1 + rng() % 4);
        const Flags flags = randomFlags(rng, false);
        const auto expected = plainpattern::find(reinterpret_cast<const uint8_t*>(text.data()), region.start,
                                                 region.end, pattern, flags.firstMatch, flags.matchCase,
                                                 flags.distinguishWidth);
        for (PatternSkipping mode : {PatternSkipping::Never, PatternSkipping::Always}) {
            SetPatternSkipping(mode);
            ASSERT_EQ(findIn(text, region, pattern, flags), expected)
                << "round " << round << " pattern " << pattern << " text " << text;
        }
        SetPatternSkipping(PatternSkipping::Auto);
    }
}

} // namespace

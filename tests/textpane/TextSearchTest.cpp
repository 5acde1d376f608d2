// The text find from the caret or a selection: where it starts, how it wraps
// (by whole units for the plain search, by regions reaching 80 bytes past the
// start for the pattern search), and the plain search against a model that
// walks every unit start and compares bytes.
#include "textpane/TextSearch.h"

#include "platform/Cp932.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

// Both ways of searching: distinguishing widths selects the plain search.
constexpr bool kPlain = true, kPattern = false;

std::optional<TextMatch> find(const std::string& text, TextSearchRequest r)
{
    return searchText(reinterpret_cast<const uint8_t*>(text.data()), uint32_t(text.size()), r);
}

TextSearchRequest request(std::string_view findText, bool plain, bool down = true)
{
    TextSearchRequest r;
    r.findText = findText;
    r.distinguishWidth = plain;
    r.down = down;
    return r;
}

std::optional<TextMatch> at(uint32_t position, uint32_t length)
{
    return TextMatch{position, length};
}

TEST(TextSearch, StartsPastASelectedMatchAndWrapsBothWays)
{
    const std::string text = "abc abc abc";
    for (bool plain : {kPlain, kPattern}) {
        auto r = request("abc", plain);
        r.selection = true, r.selStart = 4, r.selEnd = 7;
        EXPECT_EQ(find(text, r), at(8, 3)) << plain;
        r.selEnd = 6; // not the string: the search starts at the selection
        EXPECT_EQ(find(text, r), at(4, 3)) << plain;
        r.selection = false, r.caret = 9;
        EXPECT_EQ(find(text, r), at(0, 3)) << plain; // down wraps to the top
        r.down = false, r.caret = 0;
        EXPECT_EQ(find(text, r), at(8, 3)) << plain; // up from 0 wraps to the last
        r.caret = uint32_t(text.size());             // up from the end: before size - length
        EXPECT_EQ(find(text, r), at(4, 3)) << plain;
        r = request("a", plain), r.caret = 0, r.caretPastLineEnd = true;
        EXPECT_EQ(find("aa", r), at(1, 1)) << plain;
    }
    // A selected full-width match of the default search is passed over too.
    auto r = request("abc", kPattern);
    r.selection = true, r.selStart = 0, r.selEnd = 6;
    EXPECT_EQ(find("\x82\x60\x82\x61\x82\x62 abc", r), at(7, 3));
}

TEST(TextSearch, FindsWholeUnitsOfTextsUpTo80Bytes)
{
    for (bool plain : {kPlain, kPattern}) {
        EXPECT_EQ(find("\x83\x41", request("A", plain)), std::nullopt) << plain; // a trail byte
        EXPECT_EQ(find("\x83\x41" "A", request("A", plain, false)), at(2, 1)) << plain;
        const std::string a80(80, 'a');
        EXPECT_EQ(find("x" + a80 + "y", request(a80, plain)), at(1, 80)) << plain;
        const std::string a81 = a80 + "a";
        EXPECT_EQ(find(a81 + "a", request(a81, plain)), std::nullopt) << plain;
        EXPECT_EQ(find("abc", request("", plain)), std::nullopt) << plain;
    }
    EXPECT_EQ(find("xx \x82\x60\x82\x61\x82\x62", request("ABC", kPattern)), at(3, 6));
    EXPECT_EQ(find("xx \x82\x60\x82\x61\x82\x62", request("ABC", kPlain)), std::nullopt);
}

TEST(TextSearch, PatternWrapReachesEightyBytesPastTheStart)
{
    const std::string text = "a" + std::string(90, 'x') + "b";
    auto r = request("ax*b", kPattern);
    r.regular = true;
    r.caret = 20; // the wrap region [0, 100) holds the whole match
    EXPECT_EQ(find(text, r), at(0, 92));
    r.caret = 10; // [0, 90) ends inside it
    EXPECT_EQ(find(text, r), std::nullopt);
    r.down = false, r.caret = 0; // up: [0, 0), then [0, end)
    EXPECT_EQ(find(text, r), at(0, 92));
}

TEST(TextSearch, SelectionOfAMatchEndsOnItsLastUnit)
{
    const std::string text = "a\x82\x60" "b";
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    EXPECT_EQ(matchSelectionLast(bytes, 4, {0, 3}), 1u);
    EXPECT_EQ(matchSelectionLast(bytes, 4, {1, 3}), 3u);
    EXPECT_EQ(matchSelectionLast(bytes, 4, {0, 1}), 0u);
}

// The plain search as its rules read: unit starts found by walking from 0,
// whole bytes compared.
std::optional<TextMatch> modelFind(const std::string& text, const TextSearchRequest& r)
{
    const auto size = uint32_t(text.size()), n = uint32_t(r.findText.size());
    std::vector<bool> unitStart(size + 1, false);
    for (uint32_t i = 0; i < size; i += cp932::IsLeadByte(uint8_t(text[i])) && i + 1 < size ? 2 : 1)
        unitStart[i] = true;
    const auto matches = [&](uint32_t q) {
        return unitStart[q] && q + n <= size && std::memcmp(text.data() + q, r.findText.data(), n) == 0;
    };
    uint32_t start = r.caret;
    if (r.selection) {
        const bool same = r.selEnd - r.selStart == n && matches(r.selStart);
        start = r.down && same ? r.selEnd : r.selStart;
    }
    if (!r.down && start + n - 1 >= size && size >= n)
        start = size - n;
    std::optional<uint32_t> hit;
    const auto scan = [&](uint32_t from, uint32_t to, bool first) {
        for (uint32_t q = from; q < to && q < size; ++q) {
            if (matches(q)) {
                hit = q;
                if (first)
                    return;
            }
        }
    };
    if (r.down) {
        scan(start, size, true);
        if (!hit && start != 0)
            scan(0, start, true);
    } else {
        scan(0, start, false);
        if (!hit)
            scan(start, size, false);
    }
    return hit ? std::optional<TextMatch>(TextMatch{*hit, n}) : std::nullopt;
}

TEST(TextSearch, PlainSearchFollowsAModelOfItsRules)
{
    const std::vector<std::string> units = {"a", "b", "\x82\x61", "\x82\x82", "\x83\x41", "A", "\r\n"};
    std::mt19937 rng(1206);
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        for (size_t i = rng() % 40; i > 0; --i)
            text += units[rng() % units.size()];
        std::string findText;
        for (size_t i = 1 + rng() % 3; i > 0; --i)
            findText += units[rng() % units.size()];
        TextSearchRequest r = request(findText, kPlain, rng() % 2 == 0);
        r.matchCase = true;
        r.caret = text.empty() ? 0 : uint32_t(rng() % (text.size() + 1));
        r.caret -= r.caret > 0 && r.caret < text.size()
            && cp932::ClassifyPosition(reinterpret_cast<const uint8_t*>(text.data()), text.size(), r.caret)
                   == cp932::CharKind::Trail;
        if (rng() % 3 == 0 && r.caret < text.size()) {
            r.selection = true;
            r.selStart = r.caret;
            r.selEnd = std::min<uint32_t>(uint32_t(text.size()), r.caret + 1 + rng() % 6);
        }
        ASSERT_EQ(find(text, r), modelFind(text, r)) << "round " << round << " text " << text;
    }
}

} // namespace

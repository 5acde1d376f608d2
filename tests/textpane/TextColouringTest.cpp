#include "textpane/TextColouring.h"

#include "platform/Cp932.h"
#include "textpane/KeywordLists.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr uint32_t kBg = CTextColours::kBackgroundBit;

// Keyword 1, C keyword 2, C++ keyword 3, comment 4, marked string background 5.
CColourRules Rules(int type)
{
    CColourRules r;
    r.documentType = type;
    r.colours = {0, 0, 0, 0, 2, 3, 4, 1, 0, kBg | 5, 0};
    return r;
}

std::span<const uint8_t> Bytes(const std::string& s, size_t from = 0, size_t to = std::string::npos)
{
    return {reinterpret_cast<const uint8_t*>(s.data()) + from, std::min(to, s.size()) - from};
}

std::vector<uint32_t> Colour(const std::string& text, const CColourRules& rules)
{
    std::vector<uint32_t> out(text.size());
    ColourBytes({Bytes(text), 0}, 0, out, rules);
    return out;
}

CTagRecord Mark(uint32_t offset, const std::string& bytes)
{
    CTagRecord m;
    m.nOffset = offset;
    m.nLength = int32_t(bytes.size());
    std::memcpy(m.name, bytes.data(), bytes.size());
    return m;
}

// The rules read literally over the whole text.
std::vector<uint32_t> Model(const std::string& t, const CColourRules& r)
{
    const size_t n = t.size();
    std::vector<uint32_t> c(n, 0);
    std::vector<bool> unitStart(n, false);
    for (size_t p = 0; p < n; p += (cp932::IsLeadByte(uint8_t(t[p])) || t[p] == '\r') ? 2 : 1)
        unitStart[p] = true;
    auto alnum = [&](size_t p) { return p < n && std::isalnum(uint8_t(t[p])) && uint8_t(t[p]) < 0x80; };
    auto wordBefore = [&](size_t p) {
        size_t q = p;
        while (q > 0 && !unitStart[--q]) {}
        return p > 0 && p - q == 1 && alnum(q);
    };
    auto words = [&](const std::vector<std::string>& list, bool matchCase, bool whole, uint32_t colour) {
        for (size_t p = 0; p < n; ++p)
            for (const std::string& w : list) {
                bool hit = unitStart[p] && !w.empty() && p + w.size() <= n;
                for (size_t i = 0; hit && i < w.size(); ++i) {
                    const bool fold = !matchCase && unitStart[p + i];
                    hit = fold ? std::tolower(uint8_t(t[p + i])) == std::tolower(uint8_t(w[i])) : t[p + i] == w[i];
                }
                if (hit && (!whole || (!wordBefore(p) && !alnum(p + w.size()))))
                    std::fill(c.begin() + long(p), c.begin() + long(p + w.size()), colour);
            }
    };
    if (r.userKeywords)
        words(r.userKeywords->names, r.userKeywords->matchCase, r.userKeywords->wholeWord, r.colours.keyword);
    auto list = [](std::span<const CKeywordRecord> records) {
        std::vector<std::string> v;
        for (const auto& k : records)
            v.emplace_back(k.View());
        return v;
    };
    if (r.documentType >= 1)
        words(list(CKeywords()), true, true, r.colours.cKeyword);
    if (r.documentType == 2)
        words(list(CppKeywords()), true, true, r.colours.cppKeyword);
    for (const CTagRecord& m : r.markedStrings)
        if (t.compare(m.nOffset, size_t(m.nLength), m.name) == 0)
            std::fill(c.begin() + m.nOffset, c.begin() + m.nOffset + m.nLength, r.colours.markedStringBack);
    if (r.documentType == 0)
        return c;
    // Areas open at a "/*" not after a "//" on its line and close after the
    // next "*/"; a "//" runs to its line's CR LF.
    std::vector<bool> comment(n, false);
    bool lineComment = false;
    size_t open = n, resume = 0;
    for (size_t p = 0; p + 1 < n; ++p) {
        const std::string two = t.substr(p, 2);
        lineComment = lineComment && two != "\r\n";
        if (two == "//")
            std::fill(comment.begin() + long(p), comment.begin() + long(std::min(t.find("\r\n", p), n)), true);
        if (open < n && two == "*/" && p >= open + 2) {
            std::fill(comment.begin() + long(open), comment.begin() + long(p + 2), true);
            open = n;
            resume = p + 2;
        } else if (r.areaComments && open == n && p >= resume && two == "/*" && !lineComment) {
            open = p;
        }
        lineComment = lineComment || two == "//";
    }
    std::fill(comment.begin() + long(std::min(open, n)), comment.end(), true);
    for (size_t p = 0; p < n; ++p)
        if (comment[p] && !(c[p] & kBg))
            c[p] = r.colours.comment;
    return c;
}

TEST(TextColouring, MarkedStringOverKeywordAndWholeWordsAtEdgesAndBesideDoubleByteCharacters)
{
    CColourRules c = Rules(1);
    // A marked string shows its background over the keyword; one whose bytes
    // changed since it was marked shows nothing.
    const CTagRecord marks[] = {Mark(2, "int x"), Mark(9, "if")};
    c.markedStrings = marks;
    EXPECT_EQ(Colour("a int x; iF", c), (std::vector<uint32_t>{0, 0, kBg | 5, kBg | 5, kBg | 5, kBg | 5, kBg | 5,
                                                                 0, 0, 0, 0}));
    c.markedStrings = {};
    struct Case { const char* text; std::vector<uint32_t> colours; } cases[] = {
        {"if", {2, 2}},                               // the text's edges are boundaries
        {"xif if9 _if", {0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 2}}, // an underscore is no letter
        {"\x82\x61if", {0, 0, 2, 2}},                 // a double-byte character before is no letter
        {"\x93if", {0, 0, 0}},                        // never from the second byte of a unit
        {"\x93\x69" "f\x82", {0, 0, 0, 0}},
    };
    for (const Case& k : cases)
        EXPECT_EQ(Colour(k.text, c), k.colours) << k.text;
    // The user's keywords fold only single-byte letters.
    CUserKeywordList user{{"\x93I", "AB"}, false, false};
    c.userKeywords = &user;
    EXPECT_EQ(Colour("\x93i ab\x93I", c), (std::vector<uint32_t>{0, 0, 0, 1, 1, 1, 1}));
}

TEST(TextColouring, AnyRangeOfWholeLinesColoursAsTheModelColoursTheWholeText)
{
    std::mt19937 rng(2024);
    const std::string pieces[] = {"int", "if", "#if", "_", "a", "Z", "9", " ", "\r\n", "\r\n", "/*", "*/", "//",
                                  "/", "*", "\x82\xa0", "\x83\x41", "\x93", "class", "IF", "new", "__inline", "\x82"};
    const std::vector<std::string> names = {"if", "a9", "IN", "\x93i", "nt", "z"};
    for (int round = 0; round < 400; ++round) {
        std::string t;
        for (int i = int(rng() % 40); i > 0; --i)
            t += pieces[rng() % std::size(pieces)];
        if (t.empty())
            continue;
        CColourRules r = Rules(int(rng() % 3));
        r.areaComments = rng() % 2;
        CUserKeywordList user{{}, rng() % 2 == 0, rng() % 2 == 0};
        for (const auto& name : names)
            if (rng() % 3 == 0)
                user.names.push_back(name);
        r.userKeywords = &user;
        std::vector<CTagRecord> marks;
        for (int i = int(rng() % 3); i > 0; --i) {
            const auto at = uint32_t(rng() % t.size());
            std::string bytes = t.substr(at, 1 + rng() % 5);
            if (rng() % 4 == 0)
                bytes[0] ^= 1; // changed since it was marked
            if (bytes.find_first_of("\r\n") == std::string::npos) // a mark lies within a line
                marks.push_back(Mark(at, bytes));
        }
        r.markedStrings = marks;
        CAreaCommentTable table;
        table.Rebuild(Bytes(t));
        r.comments = &table;

        const std::vector<uint32_t> want = Model(t, r);
        ASSERT_EQ(Colour(t, r), want) << t;
        // Any range, given the whole lines around it.
        const auto from = uint32_t(rng() % t.size());
        const auto to = uint32_t(from + rng() % (t.size() - from));
        const size_t before = from < 2 ? std::string::npos : t.rfind("\r\n", from - 2);
        const size_t start = before == std::string::npos ? 0 : before + 2;
        const size_t after = t.find("\r\n", to == 0 ? 0 : to - 1);
        std::vector<uint32_t> got(to - from + 1);
        ColourBytes({Bytes(t, start, after == std::string::npos ? t.size() : after + 2), uint32_t(start)}, from,
                    got, r);
        ASSERT_EQ(got, std::vector<uint32_t>(want.begin() + from, want.begin() + to + 1)) << t << " " << from;
    }
}

} // namespace

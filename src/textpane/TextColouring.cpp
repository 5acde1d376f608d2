#include "textpane/TextColouring.h"

#include "textpane/KeywordLists.h"
#include "textpane/KeywordScan.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <limits>
#include <string_view>
#include <vector>

namespace {

constexpr uint64_t kTextEnd = std::numeric_limits<uint64_t>::max();

// Colours document offsets [first, last) where they meet the range.
class CRangePaint
{
public:
    CRangePaint(uint32_t from, std::span<uint32_t> colours) : m_from(from), m_colours(colours) {}

    void Paint(uint64_t first, uint64_t last, uint32_t colour, bool keepBackgrounds = false)
    {
        const uint64_t begin = std::max<uint64_t>(first, m_from);
        const uint64_t end = std::min<uint64_t>(last, uint64_t(m_from) + m_colours.size());
        for (uint64_t p = begin; p < end; ++p) {
            uint32_t& c = m_colours[p - m_from];
            if (!keepBackgrounds || (c & CTextColours::kBackgroundBit) == 0)
                c = colour;
        }
    }
    uint64_t End() const { return uint64_t(m_from) + m_colours.size(); }

private:
    uint32_t m_from;
    std::span<uint32_t> m_colours;
};

std::vector<std::string_view> Views(std::span<const CKeywordRecord> records)
{
    std::vector<std::string_view> views;
    for (const CKeywordRecord& r : records)
        views.push_back(r.View());
    return views;
}

void ColourWords(const CColourSource& source, std::span<const std::string_view> words, CWordRules rules,
                 uint32_t colour, CRangePaint& paint)
{
    FindWords(source.text, words, rules, [&](size_t at, size_t length) {
        paint.Paint(source.start + at, uint64_t(source.start) + at + length, colour);
    });
}

void ColourKeywords(const CColourSource& source, const CColourRules& rules, CRangePaint& paint)
{
    if (rules.userKeywords && !rules.userKeywords->names.empty()) {
        const std::vector<std::string_view> names(rules.userKeywords->names.begin(),
                                                  rules.userKeywords->names.end());
        ColourWords(source, names, {rules.userKeywords->matchCase, rules.userKeywords->wholeWord},
                    rules.colours.keyword, paint);
    }
    if (rules.documentType != 1 && rules.documentType != 2)
        return;
    static const std::vector<std::string_view> cWords = Views(CKeywords());
    static const std::vector<std::string_view> cppWords = Views(CppKeywords());
    ColourWords(source, cWords, {true, true}, rules.colours.cKeyword, paint);
    if (rules.documentType == 2)
        ColourWords(source, cppWords, {true, true}, rules.colours.cppKeyword, paint);
}

// Marked strings whose bytes the text still holds.
void ColourMarkedStrings(const CColourSource& source, const CColourRules& rules, CRangePaint& paint)
{
    for (const CTagRecord& mark : rules.markedStrings) {
        if (mark.nLength < 1 || mark.nLength > CTagRecord::kMaxName || mark.nOffset < source.start)
            continue;
        const uint64_t at = mark.nOffset - source.start;
        if (at + uint64_t(mark.nLength) > source.text.size()
            || std::memcmp(source.text.data() + at, mark.name, size_t(mark.nLength)) != 0)
            continue;
        paint.Paint(mark.nOffset, uint64_t(mark.nOffset) + mark.nLength, rules.colours.markedStringBack);
    }
}

// Each "/*" of the table opens an area that the first "*/" after it closes
// (or the text's end); a "/*" inside an area opens nothing.
void ColourAreaComments(const CAreaCommentTable& table, uint32_t colour, CRangePaint& paint)
{
    const auto closers = table.Closers();
    uint64_t coveredTo = 0; // areas so far end before this offset
    for (const uint32_t open : table.Openers()) {
        if (open < coveredTo)
            continue;
        if (open >= paint.End())
            break;
        const auto close = std::lower_bound(closers.begin(), closers.end(), uint64_t(open) + 2);
        coveredTo = close == closers.end() ? kTextEnd : uint64_t(*close) + 2;
        paint.Paint(open, coveredTo, colour, true);
    }
}

// Every "//" to the CR LF that ends its line.
void ColourLineComments(const CColourSource& source, uint32_t colour, CRangePaint& paint)
{
    const std::span<const uint8_t> text = source.text;
    for (size_t p = 0; p + 1 < text.size(); ++p) {
        if (text[p] != '/' || text[p + 1] != '/')
            continue;
        size_t end = p + 2;
        while (end < text.size() && !(text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n'))
            ++end;
        paint.Paint(source.start + p, uint64_t(source.start) + end, colour, true);
        p = end;
    }
}

} // namespace

void ColourBytes(const CColourSource& source, uint32_t from, std::span<uint32_t> colours,
                 const CColourRules& rules)
{
    assert(from >= source.start && from - source.start + colours.size() <= source.text.size());
    std::fill(colours.begin(), colours.end(), 0u);
    CRangePaint paint(from, colours);
    ColourKeywords(source, rules, paint);
    ColourMarkedStrings(source, rules, paint);
    if (rules.documentType != 1 && rules.documentType != 2)
        return;
    if (rules.areaComments && rules.comments)
        ColourAreaComments(*rules.comments, rules.colours.comment, paint);
    ColourLineComments(source, rules.colours.comment, paint);
}

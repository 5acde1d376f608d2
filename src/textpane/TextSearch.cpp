#include "textpane/TextSearch.h"

#include "platform/Cp932.h"
#include "textpane/CandidateFilter.h"
#include "textpane/PatternMatcher.h"
#include "textpane/TextWrap.h"
#include "textpane/UnitFold.h"

#include <algorithm>

namespace {

uint32_t unitLength(const uint8_t* s, uint32_t at, uint32_t size)
{
    return cp932::IsLeadByte(s[at]) && at + 1 < size ? 2 : 1;
}

// The first offset at or after `at` where a character begins.
uint32_t unitStartFrom(const uint8_t* text, uint32_t size, uint32_t at)
{
    return at < size && cp932::ClassifyPosition(text, size, at) == cp932::CharKind::Trail ? at + 1 : at;
}

// Whether one text unit equals one unit of the find text; a find text that
// ends in a lone lead byte compares that byte with the first of a pair.
bool unitsEqual(const uint8_t* textUnit, uint32_t textLength, const uint8_t* unit,
                uint32_t length, bool matchCase)
{
    if (length == 1 && textLength == 2)
        return textUnit[0] == unit[0] && cp932::IsLeadByte(unit[0]);
    return textLength == length
        && unitfold::Key(textUnit, textLength, matchCase, true) == unitfold::Key(unit, length, matchCase, true);
}

// The plain search: every unit start compared unit by unit, the first unit
// through the candidate filter.
class CPlainSearch
{
public:
    CPlainSearch(const uint8_t* text, uint32_t size, std::string_view findText, bool matchCase)
        : m_text(text), m_size(size), m_find(reinterpret_cast<const uint8_t*>(findText.data())),
          m_length(static_cast<uint32_t>(findText.size())), m_matchCase(matchCase)
    {
        const uint32_t first = unitLength(m_find, 0, m_length);
        const UnitTest firstUnit = [&](const uint8_t* unit, uint32_t length) {
            return unitsEqual(unit, length, m_find, first, m_matchCase);
        };
        m_filter.build(firstUnit, first == 1 && cp932::IsLeadByte(m_find[0]), KeysOf(firstUnit), 0);
    }

    bool matchesAt(uint32_t q) const
    {
        if (q + m_length > m_size)
            return false;
        for (uint32_t i = 0; i < m_length;) {
            const uint32_t length = unitLength(m_find, i, m_length);
            if (!unitsEqual(m_text + q + i, unitLength(m_text, q + i, m_size), m_find + i, length, m_matchCase))
                return false;
            i += length;
        }
        return true;
    }

    // The first or last match among the unit starts in [from, to); the find
    // text is no longer than the text.
    std::optional<uint32_t> scan(uint32_t from, uint32_t to, bool first) const
    {
        to = std::min(to, m_size - m_length + 1);
        std::optional<uint32_t> last;
        for (uint32_t q = unitStartFrom(m_text, m_size, from); q < to; q += unitLength(m_text, q, m_size)) {
            if ((q = m_filter.next(m_text, q, to, m_size)) >= to)
                break;
            if (matchesAt(q)) {
                if (first)
                    return q;
                last = q;
            }
        }
        return last;
    }

private:
    const uint8_t* m_text;
    uint32_t m_size;
    const uint8_t* m_find;
    uint32_t m_length;
    bool m_matchCase;
    CCandidateFilter m_filter;
};

std::optional<TextMatch> plainSearch(const uint8_t* text, uint32_t size, const TextSearchRequest& r,
                                     uint32_t start)
{
    if (r.findText.size() > size)
        return std::nullopt;
    const CPlainSearch search(text, size, r.findText, r.matchCase);
    std::optional<uint32_t> hit;
    if (r.down) {
        hit = search.scan(start, size, true);
        if (!hit && start != 0)
            hit = search.scan(0, start, true);
    } else {
        hit = search.scan(0, start, false);
        if (!hit)
            hit = search.scan(start, size, false);
    }
    if (!hit)
        return std::nullopt;
    return TextMatch{*hit, static_cast<uint32_t>(r.findText.size())};
}

std::optional<TextMatch> patternIn(const uint8_t* text, uint32_t from, uint32_t to, bool first,
                                   const TextSearchRequest& r)
{
    const auto m = findPattern(text, from, to, r.findText, first, r.matchCase, r.regular, r.distinguishWidth);
    if (!m)
        return std::nullopt;
    return TextMatch{m->position, m->length};
}

std::optional<TextMatch> patternSearch(const uint8_t* text, uint32_t size, const TextSearchRequest& r,
                                       uint32_t start)
{
    const uint32_t reach = kMaxPatternBytes;
    if (r.down) {
        if (auto m = patternIn(text, unitStartFrom(text, size, start), size, true, r))
            return m;
        return start != 0 ? patternIn(text, 0, std::min(size, start + reach), true, r) : std::nullopt;
    }
    if (auto m = patternIn(text, 0, start, false, r))
        return m;
    // Back to a character's start: a region never begins on a trail byte.
    uint32_t from = start > reach ? start - reach : 0;
    if (from < size && cp932::ClassifyPosition(text, size, from) == cp932::CharKind::Trail)
        --from;
    return patternIn(text, from, size, false, r);
}

bool usesPlainSearch(const TextSearchRequest& r)
{
    return !r.regular && r.distinguishWidth;
}

// Whether the selection is one whole match of the find text, as the search
// compares: searching down then starts past it.
bool selectionIsMatch(const uint8_t* text, uint32_t size, const TextSearchRequest& r)
{
    if (r.selEnd <= r.selStart || r.selEnd > size)
        return false;
    const uint32_t length = r.selEnd - r.selStart;
    if (usesPlainSearch(r))
        return length == r.findText.size()
            && CPlainSearch(text, size, r.findText, r.matchCase).matchesAt(r.selStart);
    const auto m = patternIn(text, r.selStart, r.selEnd, true, r);
    return m && m->position == r.selStart && m->length == length;
}

uint32_t searchStart(const uint8_t* text, uint32_t size, const TextSearchRequest& r)
{
    uint32_t start = r.caret;
    if (r.selection)
        start = r.down && selectionIsMatch(text, size, r) ? r.selEnd : r.selStart;
    else if (r.caretPastLineEnd && r.caret < size)
        start += CTextWrap::UnitLength(text + r.caret, size - r.caret); // CR LF as one
    const auto length = static_cast<uint32_t>(r.findText.size());
    if (!r.down && uint64_t{start} + length - 1 >= size && size >= length)
        start = size - length;
    return std::min(start, size);
}

} // namespace

std::optional<TextMatch> searchText(const uint8_t* text, uint32_t size, const TextSearchRequest& r)
{
    if (r.findText.empty() || r.findText.size() > kMaxPatternBytes
        || r.findText.find('\0') != std::string_view::npos || size == 0)
        return std::nullopt;
    const uint32_t start = searchStart(text, size, r);
    return usesPlainSearch(r) ? plainSearch(text, size, r, start) : patternSearch(text, size, r, start);
}

uint32_t matchSelectionLast(const uint8_t* text, uint32_t size, const TextMatch& match)
{
    const uint32_t last = match.position + match.length - 1;
    return cp932::ClassifyPosition(text, size, last) == cp932::CharKind::Trail ? last - 1 : last;
}

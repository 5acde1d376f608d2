#include "textpane/PatternMatcher.h"

#include "platform/Cp932.h"
#include "textpane/CandidateFilter.h"
#include "textpane/PatternCompiler.h"
#include "textpane/UnitFold.h"

namespace {

constexpr uint32_t kMaxCalls = 10;
// Below this the prefilter's tables cost more than the walk they save.
constexpr uint32_t kSkipFromRegionSize = 256 * 1024;

PatternSkipping g_skipping = PatternSkipping::Auto;

class CPatternMatcher
{
public:
    std::optional<PatternMatch> find(const uint8_t* text, uint32_t regionStart, uint32_t regionEnd,
                                     std::string_view pattern, bool firstMatch, bool matchCase,
                                     bool regular, bool distinguishWidth);

private:
    std::optional<PatternMatch> matchFrom(uint32_t firstNode, AnchorMode anchor, uint32_t limit,
                                          uint32_t regionStart, bool firstMatch);
    UnitTest nodeTest(uint32_t node) const;
    void buildFilter();
    bool seek(uint32_t& candidate, uint32_t limit, uint32_t firstNode) const;
    bool matchUnit(uint32_t p, uint32_t node) const;
    uint32_t consumeRepeat(uint32_t p, uint32_t node, bool negated) const;
    bool unitListed(const uint8_t* unit, uint32_t length, uint32_t node) const;
    int compareUnit(const uint8_t* textUnit, uint32_t textLength, const uint8_t* patternUnit) const;
    bool anchorHolds(AnchorMode anchor, uint32_t regionStart, uint32_t from, uint32_t to) const;
    bool loneLead(uint32_t p) const { return cp932::IsLeadByte(m_text[p]) && p + 1 >= m_regionEnd; }
    uint32_t unitAt(uint32_t p) const { return cp932::IsLeadByte(m_text[p]) && p + 1 < m_regionEnd ? 2 : 1; }

    CPatternCompiler m_pattern;
    CCandidateFilter m_filter;
    bool m_skip = false;
    uint32_t m_calls = 0;
    const uint8_t* m_text = nullptr;
    uint32_t m_regionEnd = 0;
    bool m_matchCase = false;
    bool m_distinguishWidth = false;
};

int CPatternMatcher::compareUnit(const uint8_t* textUnit, uint32_t textLength,
                                 const uint8_t* patternUnit) const
{
    uint32_t patternLength = CPatternCompiler::StoredLength(patternUnit);
    if (patternLength == 0)
        return 0;
    const int t = unitfold::Key(textUnit, textLength, m_matchCase, m_distinguishWidth);
    const int p = unitfold::Key(patternUnit, patternLength, m_matchCase, m_distinguishWidth);
    // As many bytes as the pattern unit has.
    return patternLength == 1 ? (t >> 8) - (p >> 8) : t - p;
}

// Whether the unit is one of the node's alternatives or lies in one of its ranges.
bool CPatternMatcher::unitListed(const uint8_t* unit, uint32_t length, uint32_t node) const
{
    const PatternNode& n = m_pattern.node(node);
    if (n.any)
        return true;
    for (uint32_t k = 0, at = n.strings; k < n.alternatives; ++k) {
        if (compareUnit(unit, length, m_pattern.nodeUnit(at)) == 0)
            return true;
        at = CPatternCompiler::NextStored(m_pattern.nodeUnit(0), at);
    }
    const PatternRanges& r = m_pattern.ranges(node);
    for (uint32_t k = 0, s = r.starts, e = r.ends; k < r.count; ++k) {
        if (compareUnit(unit, length, m_pattern.rangeStart(s)) >= 0
            && compareUnit(unit, length, m_pattern.rangeEnd(e)) <= 0)
            return true;
        s = CPatternCompiler::NextStored(m_pattern.rangeStart(0), s);
        e = CPatternCompiler::NextStored(m_pattern.rangeEnd(0), e);
    }
    return false;
}

bool CPatternMatcher::matchUnit(uint32_t p, uint32_t node) const
{
    const bool listed = !loneLead(p) && unitListed(m_text + p, unitAt(p), node);
    return listed != (m_pattern.node(node).negated != 0);
}

uint32_t CPatternMatcher::consumeRepeat(uint32_t p, uint32_t node, bool negated) const
{
    while (p < m_regionEnd && !loneLead(p) && unitListed(m_text + p, unitAt(p), node) != negated)
        p += unitAt(p);
    return p;
}

bool CPatternMatcher::anchorHolds(AnchorMode anchor, uint32_t regionStart, uint32_t from,
                                  uint32_t to) const
{
    if (anchor == AnchorMode::LineStart)
        return from == regionStart
            || (from >= regionStart + 2 && m_text[from - 2] == '\r' && m_text[from - 1] == '\n');
    return to == m_regionEnd || (to + 2 <= m_regionEnd && m_text[to] == '\r' && m_text[to + 1] == '\n');
}

UnitTest CPatternMatcher::nodeTest(uint32_t node) const
{
    const bool negated = m_pattern.node(node).negated != 0;
    return [this, node, negated](const uint8_t* unit, uint32_t length) {
        return unitListed(unit, length, node) != negated;
    };
}

// The key unit is the rarest of the first few plain ones before any repeat:
// until then a failure only moves the start on, so every start the filter
// passes over is one the walk would give up at once.
void CPatternMatcher::buildFilter()
{
    constexpr uint32_t kKeyChoices = 8;
    UnitKeys best = KeysOf(nodeTest(0));
    uint32_t bestIndex = 0;
    for (uint32_t i = 1, tried = 0; i < m_pattern.nodeCount() && tried < kKeyChoices; ++i) {
        const PatternNode& n = m_pattern.node(i);
        if (n.once == 0)
            break;
        if (n.negated || n.any)
            continue;
        ++tried;
        UnitKeys keys = KeysOf(nodeTest(i));
        if (keys.cost < best.cost) {
            best = keys;
            bestIndex = i;
        }
    }
    m_filter.build(nodeTest(0), m_pattern.node(0).negated != 0, best, bestIndex);
}

// Moves candidate past start positions at which the first node cannot
// match: there the walk fails at once and only moves on by a unit. False
// when no candidate below limit remains.
bool CPatternMatcher::seek(uint32_t& candidate, uint32_t limit, uint32_t firstNode) const
{
    if (candidate >= limit)
        return false;
    if (m_skip && firstNode == 0)
        candidate = m_filter.next(m_text, candidate, limit, m_regionEnd);
    return candidate < limit;
}

std::optional<PatternMatch> CPatternMatcher::matchFrom(uint32_t firstNode, AnchorMode anchor,
                                                       uint32_t limit, uint32_t regionStart,
                                                       bool firstMatch)
{
    if (++m_calls > kMaxCalls || regionStart >= m_regionEnd)
        return std::nullopt;
    std::optional<PatternMatch> result;
    uint32_t candidate = regionStart;
    if (!seek(candidate, limit, firstNode))
        return std::nullopt;
    uint32_t position = candidate, node = firstNode;
    bool remembered = false;
    uint32_t repeatNode = 0, repeatStart = 0, repeatEnd = 0;
    // The next attempt starts where a whole match ended, or one unit on
    // after a failure or an empty match (which would otherwise be found
    // forever). False when no start below the limit is left.
    const auto moveOn = [&](uint32_t matchEnd) {
        candidate = matchEnd > candidate ? matchEnd : candidate + unitAt(candidate);
        if (!seek(candidate, limit, firstNode))
            return false;
        position = candidate;
        node = firstNode;
        remembered = false;
        return true;
    };
    while (position < m_regionEnd) {
        const PatternNode& n = m_pattern.node(node);
        if (n.once == 0) {
            remembered = true;
            repeatNode = node;
            repeatStart = position;
            repeatEnd = position = consumeRepeat(position, node, n.negated != 0);
        } else if (matchUnit(position, node)) {
            position += unitAt(position);
        } else {
            if (remembered && repeatStart < repeatEnd) {
                const auto rest = matchFrom(repeatNode + 1, AnchorMode::None, repeatEnd, repeatStart, false);
                if (rest && rest->position < repeatEnd)
                    return PatternMatch{candidate, rest->position + rest->length - candidate};
            }
            if (!moveOn(candidate))
                return result;
            continue;
        }
        if (++node < m_pattern.nodeCount())
            continue;
        if (anchor != AnchorMode::None && !anchorHolds(anchor, regionStart, candidate, position)) {
            if (!moveOn(position))
                return result;
            continue;
        }
        result = PatternMatch{candidate, position - candidate};
        if (firstMatch || position >= limit || !moveOn(position))
            return result;
    }
    return result;
}

std::optional<PatternMatch> CPatternMatcher::find(const uint8_t* text, uint32_t regionStart,
                                                  uint32_t regionEnd, std::string_view pattern,
                                                  bool firstMatch, bool matchCase, bool regular,
                                                  bool distinguishWidth)
{
    m_calls = 0;
    if (!m_pattern.compile(pattern, regular) || regionStart >= regionEnd)
        return std::nullopt;
    m_text = text;
    m_regionEnd = regionEnd;
    m_matchCase = matchCase;
    m_distinguishWidth = distinguishWidth;
    const bool large = regionEnd - regionStart >= kSkipFromRegionSize;
    m_skip = m_pattern.node(0).once != 0
        && (g_skipping == PatternSkipping::Always || (g_skipping == PatternSkipping::Auto && large));
    if (m_skip)
        buildFilter();
    return matchFrom(0, m_pattern.anchor(), regionEnd, regionStart, firstMatch);
}

CPatternMatcher g_matcher;

} // namespace

std::optional<PatternMatch> findPattern(const uint8_t* text, uint32_t regionStart,
                                        uint32_t regionEnd, std::string_view pattern,
                                        bool firstMatch, bool matchCase, bool regular,
                                        bool distinguishWidth)
{
    return g_matcher.find(text, regionStart, regionEnd, pattern, firstMatch, matchCase, regular,
                          distinguishWidth);
}

void SetPatternSkipping(PatternSkipping mode)
{
    g_skipping = mode;
}

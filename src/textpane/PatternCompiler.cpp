#include "textpane/PatternCompiler.h"

#include "platform/Cp932.h"
#include "platform/Messages.h"

#include <algorithm>

uint32_t CPatternCompiler::unitLength(uint32_t i) const
{
    return cp932::IsLeadByte(m_work[i]) && i + 1 < m_length ? 2 : 1;
}

void CPatternCompiler::removeByte(uint32_t at)
{
    std::copy(m_work.begin() + at + 1, m_work.begin() + m_length + 1, m_work.begin() + at);
    std::copy(m_literal.begin() + at + 1, m_literal.begin() + m_length + 1, m_literal.begin() + at);
    --m_length;
}

// From inside a class: the position of its closing "]", or the end.
uint32_t CPatternCompiler::skipClassBody(uint32_t i) const
{
    while (i < m_length && !special(i, ']'))
        i += unitLength(i);
    return i;
}

void CPatternCompiler::preparePattern(std::string_view pattern, bool regular)
{
    m_negation.fill(0);
    m_work.fill(0);
    m_literal.fill(0);
    m_anchor = AnchorMode::None;
    const auto n = static_cast<uint32_t>(pattern.size());
    const auto at = [&](uint32_t i) { return static_cast<uint8_t>(pattern[i]); };
    if (!regular) {
        std::copy(pattern.begin(), pattern.end(), m_work.begin());
        std::fill_n(m_literal.begin(), n, 1);
        m_length = n;
        return;
    }
    m_length = 0;
    bool nextLiteral = false;
    for (uint32_t i = 0; i < n;) {
        const uint32_t unit = cp932::IsLeadByte(at(i)) && i + 1 < n ? 2 : 1;
        if (unit == 1 && at(i) == '\\') {
            if (i + 1 < n && at(i + 1) == '\\') {
                m_work[m_length++] = '\\';
                i += 2;
            } else {
                nextLiteral = true;
                ++i;
            }
            continue;
        }
        for (uint32_t k = 0; k < unit; ++k) {
            m_literal[m_length] = nextLiteral ? 1 : 0;
            m_work[m_length++] = at(i++);
        }
        nextLiteral = false;
    }
    if (m_length > 0 && special(0, '^')) {
        m_anchor = AnchorMode::LineStart;
        removeByte(0);
    } else if (m_length > 0 && special(m_length - 1, '$')) {
        m_anchor = AnchorMode::LineEnd;
        m_work[--m_length] = 0;
    }
    for (uint32_t i = 0; i < m_length;) {
        if (special(i, '[') && i + 1 < m_length) {
            if (special(i + 1, '^')) {
                m_negation[i] = 1;
                removeByte(i + 1);
            }
            i = skipClassBody(i + 1);
        }
        i += i < m_length ? unitLength(i) : 0;
    }
}

uint32_t CPatternCompiler::storeUnit(std::array<uint8_t, kStringBytes + 3>& area, uint32_t& used,
                                     uint32_t i) const
{
    const uint32_t start = used;
    const uint32_t length = i < m_length ? unitLength(i) : 0;
    for (uint32_t k = 0; k < length; ++k)
        area[used++] = m_work[i + k];
    area[used++] = 0;
    return start;
}

void CPatternCompiler::addNode(const PatternNode& node)
{
    m_nodes[m_nodeCount++] = node;
}

bool CPatternCompiler::compilePattern()
{
    m_nodeCount = 0;
    uint32_t used = 0;
    bool single = true; // the previous element was a single unit
    for (uint32_t i = 0; i < m_length;) {
        if (special(i, '[')) {
            PatternNode node;
            node.negated = m_negation[i];
            node.strings = used;
            single = false;
            for (i = i + 1; i < m_length && !special(i, ']'); i += unitLength(i)) {
                if (!special(i, '-')) {
                    storeUnit(m_nodeStrings, used, i);
                    ++node.alternatives;
                }
            }
            char repeat = 0;
            if (i < m_length) { // past the "]"
                ++i;
                if (i < m_length && (special(i, '*') || special(i, '+')))
                    repeat = static_cast<char>(m_work[i++]);
            }
            if (node.alternatives == 0)
                continue;
            node.once = repeat == '*' ? 0 : 1;
            addNode(node);
            if (repeat == '+') {
                node.once = 0;
                addNode(node);
            }
        } else if (special(i, '*') && single && m_nodeCount > 0) {
            m_nodes[m_nodeCount - 1].once = 0;
            ++i;
        } else if (special(i, '+') && single && m_nodeCount > 0) {
            PatternNode node = m_nodes[m_nodeCount - 1];
            node.once = 0;
            node.negated = 0;
            addNode(node);
            ++i;
        } else {
            PatternNode node;
            node.any = special(i, '.') ? 1 : 0;
            node.alternatives = 1;
            node.strings = storeUnit(m_nodeStrings, used, i);
            addNode(node);
            single = true;
            i += unitLength(i);
        }
    }
    return m_nodeCount > 0;
}

uint32_t CPatternCompiler::buildRanges()
{
    uint32_t entries = 0, startsUsed = 0, endsUsed = 0;
    const auto addEntry = [&](const PatternRanges& r) {
        if (entries < kMaxNodes)
            m_ranges[entries] = r;
        ++entries;
    };
    for (uint32_t i = 0; i < m_length;) {
        if (special(i, '[')) {
            PatternRanges r;
            r.starts = startsUsed;
            r.ends = endsUsed;
            uint32_t previous = m_length; // no unit yet: an empty range start
            for (i = i + 1; i < m_length && !special(i, ']');) {
                if (special(i, '-')) {
                    storeUnit(m_rangeStarts, startsUsed, previous);
                    storeUnit(m_rangeEnds, endsUsed, i + 1);
                    ++r.count;
                    // The end unit is passed over, even a "]".
                    previous = i + 1 < m_length ? i + 1 : m_length;
                    i = i + 1 < m_length ? i + 1 + unitLength(i + 1) : m_length;
                    continue;
                }
                previous = i;
                i += unitLength(i);
            }
            uint32_t copies = 1;
            if (i < m_length) {
                ++i;
                if (i < m_length && (special(i, '*') || special(i, '+')))
                    copies = m_work[i++] == '+' ? 2 : 1;
            }
            for (uint32_t k = 0; k < copies; ++k)
                addEntry(r);
        } else if (special(i, '*') && entries > 0) {
            ++i;
        } else {
            addEntry(PatternRanges{});
            i += unitLength(i);
        }
    }
    return entries;
}

bool CPatternCompiler::compile(std::string_view pattern, bool regular)
{
    pattern = pattern.substr(0, pattern.find('\0'));
    if (pattern.empty() || pattern.size() > kMaxBytes)
        return false;
    preparePattern(pattern, regular);
    if (!compilePattern())
        return false;
    if (buildRanges() != m_nodeCount) {
        ShowMessageText("ASSERT", "ASSERT");
        return false;
    }
    return true;
}

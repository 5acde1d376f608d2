// Turns a find pattern into the matcher's tables: escapes, anchors and
// negation marks first (preparePattern), then the nodes (compilePattern), then
// each node's class ranges in a second walk (buildRanges). Every table has a
// fixed size that an 80-byte pattern cannot overflow.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

enum class AnchorMode : uint32_t { None = 0, LineStart = 1, LineEnd = 2 };

struct PatternNode
{
    uint32_t once = 1;         // 0: the node repeats (zero or more units)
    uint32_t negated = 0;      // matches a unit that is none of its alternatives or ranges
    uint32_t any = 0;          // the unescaped ".": matches every unit
    uint32_t alternatives = 0; // units listed in the node strings
    uint32_t strings = 0;      // where those units begin
};

struct PatternRanges
{
    uint32_t count = 0;
    uint32_t starts = 0; // where the range-start units begin
    uint32_t ends = 0;   // where the range-end units begin
};

class CPatternCompiler
{
public:
    static constexpr uint32_t kMaxBytes = 80;
    static constexpr uint32_t kMaxNodes = 80;
    static constexpr uint32_t kStringBytes = 160;

    // The whole compilation; false when the pattern gives no match (empty,
    // too long, no node, or the two walks disagree: then after the box).
    [[nodiscard]] bool compile(std::string_view pattern, bool regular);

    AnchorMode anchor() const { return m_anchor; }
    uint32_t nodeCount() const { return m_nodeCount; }
    const PatternNode& node(uint32_t i) const { return m_nodes[i]; }
    const PatternRanges& ranges(uint32_t i) const { return m_ranges[i]; }
    // A unit in the node strings or a range area: its bytes and length (0..2).
    const uint8_t* nodeUnit(uint32_t at) const { return &m_nodeStrings[at]; }
    const uint8_t* rangeStart(uint32_t at) const { return &m_rangeStarts[at]; }
    const uint8_t* rangeEnd(uint32_t at) const { return &m_rangeEnds[at]; }
    static uint32_t StoredLength(const uint8_t* unit) { return unit[0] == 0 ? 0 : unit[1] == 0 ? 1 : 2; }
    // The next stored unit after the one at `at`, past its NUL.
    static uint32_t NextStored(const uint8_t* area, uint32_t at) { return at + StoredLength(area + at) + 1; }

private:
    void preparePattern(std::string_view pattern, bool regular);
    void removeByte(uint32_t at);
    uint32_t skipClassBody(uint32_t i) const;
    [[nodiscard]] bool compilePattern();
    [[nodiscard]] uint32_t buildRanges();
    uint32_t unitLength(uint32_t i) const;
    bool special(uint32_t i, char c) const { return m_work[i] == c && !m_literal[i]; }
    uint32_t storeUnit(std::array<uint8_t, kStringBytes + 3>& area, uint32_t& used, uint32_t i) const;
    void addNode(const PatternNode& node);

    std::array<uint8_t, kMaxBytes + 1> m_work{};    // the working pattern, NUL-terminated
    std::array<uint8_t, kMaxBytes + 1> m_literal{}; // 1: an ordinary character
    std::array<uint8_t, kMaxBytes + 1> m_negation{}; // 1 at a "[" whose class is negated
    uint32_t m_length = 0;
    AnchorMode m_anchor = AnchorMode::None;
    std::array<PatternNode, kMaxNodes> m_nodes{};
    uint32_t m_nodeCount = 0;
    std::array<PatternRanges, kMaxNodes> m_ranges{};
    // Each unit NUL-terminated; room for one more unit than the limit so a
    // store never needs a check of its own.
    std::array<uint8_t, kStringBytes + 3> m_nodeStrings{};
    std::array<uint8_t, kStringBytes + 3> m_rangeStarts{};
    std::array<uint8_t, kStringBytes + 3> m_rangeEnds{};
};

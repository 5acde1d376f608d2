// A pattern prepared for scanning a contiguous block: finds the first or the
// last start position of a match in a range without comparing every position
// in full. Two fixed bytes of the pattern (the first and the last that are not
// any-byte positions) are looked for sixteen positions at a time; only where
// both agree is the whole pattern compared. Without case the bytes are folded
// ('A'..'Z' to 'a'..'z', nothing else) before they are compared.
#pragma once

#include "binpane/BytePattern.h"

#include <cstdint>
#include <optional>
#include <vector>

class CByteMatcher
{
public:
    // Without matchCase the bytes are folded, except in a pattern of hex digits.
    CByteMatcher(const BytePattern& pattern, bool matchCase);

    uint32_t size() const { return static_cast<uint32_t>(m_bytes.size()); }

    // Whether the pattern matches the size() bytes at p.
    bool matchesAt(const uint8_t* p) const;

    // The first (last) start q in [from, to) at which the pattern matches.
    // data must hold the bytes up to to - 1 + size().
    std::optional<uint32_t> findFirst(const uint8_t* data, uint32_t from, uint32_t to) const;
    std::optional<uint32_t> findLast(const uint8_t* data, uint32_t from, uint32_t to) const;

private:
    bool anchorsAt(const uint8_t* p) const;
    std::optional<uint32_t> findFirstScalar(const uint8_t* data, uint32_t from, uint32_t to) const;
    std::optional<uint32_t> findLastScalar(const uint8_t* data, uint32_t from, uint32_t to) const;

    std::vector<uint8_t> m_bytes;   // folded when case does not matter
    std::vector<uint8_t> m_anyByte;
    bool m_bFold;
    bool m_bPlain;                  // case matters and no any-byte position: memcmp decides
    bool m_bAllAny = true;          // every position matches: nothing to compare
    uint32_t m_nFirstAnchor = 0;    // offsets of the first and the last fixed byte
    uint32_t m_nLastAnchor = 0;
};

// Skips the start positions of a text search at which the pattern's first
// unit cannot match, without walking the text unit by unit. It is built from
// a test of whole units and answers a superset of the positions where the
// test holds, each on a unit boundary of the walk from the position it starts
// from: a byte outside the lead-byte range always ends a unit, so a position
// is a boundary exactly when an even number of lead-range bytes precede it
// back to the last such byte (or to a known boundary).
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <functional>

class CCandidateFilter
{
public:
    // unitMatches(unit, length) for every single byte outside the lead range
    // and every lead byte with every trail; loneLeadMatches: whether a lead
    // byte that is the region's last byte (a unit of its own) can match.
    void build(const std::function<bool(const uint8_t*, uint32_t)>& unitMatches,
               bool loneLeadMatches);

    // The first position in [from, limit) that is a unit boundary when
    // units are walked from the boundary `from` and where a unit that could
    // match starts; limit when there is none. Reads only [from, regionEnd).
    uint32_t next(const uint8_t* text, uint32_t from, uint32_t limit, uint32_t regionEnd) const;

private:
    bool unitCouldMatch(const uint8_t* text, uint32_t q, uint32_t regionEnd) const;
    static bool isBoundary(const uint8_t* text, uint32_t q, uint32_t& known);
    uint32_t nextKey(const uint8_t* text, uint32_t from, uint32_t end) const;

    // A unit that could match has its last byte among the keys: the byte
    // itself for a single byte, the trail for a pair.
    std::array<bool, 256> m_single{};
    std::bitset<0x10000> m_pair;
    std::array<bool, 256> m_key{};
    std::array<uint8_t, 4> m_fewKeys{}; // the keys when there are at most four
    uint32_t m_keyCount = 0;
    bool m_loneLead = false;
};

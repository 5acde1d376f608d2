// Skips the start positions of a text search at which the pattern cannot
// match, without walking the text unit by unit. It knows which units can
// match the pattern's first unit and which bytes can end the unit of one
// chosen leading unit (the key unit, the rarest to find), and answers a
// superset of the start positions where both can hold, each on a unit
// boundary of the walk from the position it starts from: a byte outside the
// lead-byte range always ends a unit, so a position is a boundary exactly
// when an even number of lead-range bytes precede it back to the last such
// byte (or to a known boundary).
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <functional>

// Asked for every single byte outside the lead range and every lead byte
// with every trail.
using UnitTest = std::function<bool(const uint8_t* unit, uint32_t length)>;

// The bytes that can end a unit passing a test (the byte itself for a single
// byte, the trail for a pair), and how often such bytes turn up in Japanese
// text, roughly: the cheaper, the fewer candidates they bring.
struct UnitKeys
{
    std::array<bool, 256> bytes{};
    uint32_t cost = 0;
};
UnitKeys KeysOf(const UnitTest& test);

class CCandidateFilter
{
public:
    // first: the test of the first unit; loneLead: whether a lead byte that
    // is the region's last byte (a unit of its own) can pass it. keys: those
    // of the unit keyIndex units on (0: the first itself); every unit before
    // it is taken to match the pattern on its own, so that a start position
    // with a match has a key keyIndex to 2 * keyIndex + 1 bytes on.
    void build(const UnitTest& first, bool loneLead, const UnitKeys& keys, uint32_t keyIndex);

    // The first position in [from, limit) that is a unit boundary when units
    // are walked from the boundary `from` and where a match may start; limit
    // when there is none. Reads only [from, regionEnd). With a key unit after
    // the first, a start whose walk would run into the region's end is
    // passed over too: no later start can match then either.
    uint32_t next(const uint8_t* text, uint32_t from, uint32_t limit, uint32_t regionEnd) const;

private:
    bool unitCouldMatch(const uint8_t* text, uint32_t q, uint32_t regionEnd) const;
    static bool isBoundary(const uint8_t* text, uint32_t q, uint32_t& known);
    uint32_t nextKey(const uint8_t* text, uint32_t from, uint32_t end) const;
    uint32_t nextByFirstUnit(const uint8_t* text, uint32_t from, uint32_t limit, uint32_t regionEnd) const;

    std::array<bool, 256> m_single{};
    std::bitset<0x10000> m_pair;
    bool m_loneLead = false;
    std::array<bool, 256> m_key{};
    std::array<uint8_t, 4> m_fewKeys{}; // the keys when there are at most four
    uint32_t m_keyCount = 0;
    uint32_t m_keyIndex = 0;
};

#include "textpane/CandidateFilter.h"

#include "platform/Cp932.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// A rough frequency of a byte in Shift-JIS text with some ASCII: the leads
// of kana and punctuation and lowercase words are everywhere, other lead
// bytes and trails less so.
uint32_t ByteWeight(uint8_t b)
{
    if (b >= 0x81 && b <= 0x83)
        return 64;
    if ((b >= 'a' && b <= 'z') || b == ' ' || b == '\r' || b == '\n')
        return 16;
    return cp932::IsLeadByte(b) ? 4 : 2;
}

template <typename Visit>
void ForEachUnit(Visit visit)
{
    for (unsigned b = 0; b < 256; ++b) {
        const uint8_t unit[2] = {static_cast<uint8_t>(b), 0};
        if (!cp932::IsLeadByte(unit[0])) {
            visit(unit, 1u);
            continue;
        }
        for (unsigned trail = 0; trail < 256; ++trail) {
            const uint8_t pair[2] = {unit[0], static_cast<uint8_t>(trail)};
            visit(pair, 2u);
        }
    }
}

} // namespace

UnitKeys KeysOf(const UnitTest& test)
{
    UnitKeys keys;
    ForEachUnit([&](const uint8_t* unit, uint32_t length) {
        if (test(unit, length))
            keys.bytes[unit[length - 1]] = true;
    });
    for (unsigned b = 0; b < 256; ++b)
        keys.cost += keys.bytes[b] ? ByteWeight(static_cast<uint8_t>(b)) : 0;
    return keys;
}

void CCandidateFilter::build(const UnitTest& first, bool loneLead, const UnitKeys& keys,
                             uint32_t keyIndex)
{
    m_single.fill(false);
    m_pair.reset();
    ForEachUnit([&](const uint8_t* unit, uint32_t length) {
        if (!first(unit, length))
            return;
        if (length == 1)
            m_single[unit[0]] = true;
        else
            m_pair.set(static_cast<size_t>(unit[0]) << 8 | unit[1]);
    });
    m_loneLead = loneLead;
    m_key = keys.bytes;
    m_keyIndex = keyIndex;
    m_keyCount = 0;
    for (unsigned b = 0; b < 256; ++b) {
        if (m_key[b] && m_keyCount++ < m_fewKeys.size())
            m_fewKeys[m_keyCount - 1] = static_cast<uint8_t>(b);
    }
    for (uint32_t i = m_keyCount; i > 0 && i < m_fewKeys.size(); ++i)
        m_fewKeys[i] = m_fewKeys[0]; // repeats change nothing in the scan
}

uint32_t CCandidateFilter::nextKey(const uint8_t* text, uint32_t from, uint32_t end) const
{
    uint32_t h = from;
#if defined(__SSE2__)
    if (m_keyCount > 0 && m_keyCount <= m_fewKeys.size()) {
        const __m128i k0 = _mm_set1_epi8(static_cast<char>(m_fewKeys[0]));
        const __m128i k1 = _mm_set1_epi8(static_cast<char>(m_fewKeys[1]));
        const __m128i k2 = _mm_set1_epi8(static_cast<char>(m_fewKeys[2]));
        const __m128i k3 = _mm_set1_epi8(static_cast<char>(m_fewKeys[3]));
        for (; end - h >= 16; h += 16) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + h));
            const __m128i hit = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, k0), _mm_cmpeq_epi8(v, k1)),
                                             _mm_or_si128(_mm_cmpeq_epi8(v, k2), _mm_cmpeq_epi8(v, k3)));
            if (const int mask = _mm_movemask_epi8(hit))
                return h + static_cast<uint32_t>(__builtin_ctz(static_cast<unsigned>(mask)));
        }
    }
#endif
    while (h < end && !m_key[text[h]])
        ++h;
    return h;
}

bool CCandidateFilter::unitCouldMatch(const uint8_t* text, uint32_t q, uint32_t regionEnd) const
{
    const uint8_t b = text[q];
    if (!cp932::IsLeadByte(b))
        return m_single[b];
    return q + 1 < regionEnd ? m_pair.test(static_cast<size_t>(b) << 8 | text[q + 1]) : m_loneLead;
}

bool CCandidateFilter::isBoundary(const uint8_t* text, uint32_t q, uint32_t& known)
{
    // Positions are asked in ascending order; one below `known` can only be
    // the trail byte found last time.
    if (q < known)
        return false;
    uint32_t j = q;
    while (j > known && cp932::IsLeadByte(text[j - 1]))
        --j;
    const bool boundary = (q - j) % 2 == 0;
    known = boundary ? q : q + 1;
    return boundary;
}

uint32_t CCandidateFilter::nextByFirstUnit(const uint8_t* text, uint32_t from, uint32_t limit,
                                uint32_t regionEnd) const
{
    uint32_t known = from;
    auto startsHere = [&](uint32_t q) {
        return unitCouldMatch(text, q, regionEnd) && isBoundary(text, q, known);
    };
    // A unit ending in a key at h starts at h (a single byte) or h - 1 (a pair).
    const uint32_t keysEnd = limit < regionEnd ? limit + 1 : regionEnd;
    for (uint32_t h = from; (h = nextKey(text, h, keysEnd)) < keysEnd; ++h) {
        if (h > from && startsHere(h - 1))
            return h - 1;
        if (h < limit && startsHere(h))
            return h;
    }
    // A lead byte as the region's last byte is a unit no key marks.
    const uint32_t last = regionEnd - 1;
    if (m_loneLead && last >= from && last < limit && startsHere(last))
        return last;
    return limit;
}

uint32_t CCandidateFilter::next(const uint8_t* text, uint32_t from, uint32_t limit,
                                uint32_t regionEnd) const
{
    if (m_keyIndex == 0)
        return nextByFirstUnit(text, from, limit, regionEnd);
    // A match from c has its key unit's last byte h in [c + i, c + 2i + 1]:
    // the starts to try for a key at h are [h - 2i - 1, h - i].
    const uint32_t i = m_keyIndex;
    const uint64_t keysReach = uint64_t{limit} + 2 * i + 1;
    const auto keysEnd = static_cast<uint32_t>(keysReach < regionEnd ? keysReach : regionEnd);
    uint32_t known = from, tried = from;
    for (uint32_t h = from + i; h < keysEnd && (h = nextKey(text, h, keysEnd)) < keysEnd; ++h) {
        const uint32_t low = h >= tried + 2 * i + 1 ? h - 2 * i - 1 : tried;
        const uint32_t high = h - i + 1 < limit ? h - i + 1 : limit;
        for (uint32_t c = low; c < high; ++c) {
            if (unitCouldMatch(text, c, regionEnd) && isBoundary(text, c, known))
                return c;
        }
        tried = high > tried ? high : tried;
    }
    return limit;
}

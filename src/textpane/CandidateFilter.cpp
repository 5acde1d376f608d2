#include "textpane/CandidateFilter.h"

#include "platform/Cp932.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

void CCandidateFilter::build(const std::function<bool(const uint8_t*, uint32_t)>& unitMatches,
                             bool loneLeadMatches)
{
    m_single.fill(false);
    m_key.fill(false);
    m_pair.reset();
    m_loneLead = loneLeadMatches;
    for (unsigned b = 0; b < 256; ++b) {
        const uint8_t unit[2] = {static_cast<uint8_t>(b), 0};
        if (cp932::IsLeadByte(unit[0])) {
            for (unsigned trail = 0; trail < 256; ++trail) {
                const uint8_t pair[2] = {unit[0], static_cast<uint8_t>(trail)};
                if (unitMatches(pair, 2)) {
                    m_pair.set(b << 8 | trail);
                    m_key[trail] = true;
                }
            }
        } else if (unitMatches(unit, 1)) {
            m_single[b] = true;
            m_key[b] = true;
        }
    }
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

uint32_t CCandidateFilter::next(const uint8_t* text, uint32_t from, uint32_t limit,
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

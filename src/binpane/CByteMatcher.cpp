#include "binpane/CByteMatcher.h"

#include "binpane/ByteSearch.h"

#include <bit>
#include <cstring>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define VEXEL_MATCHER_SSE2 1
#endif

namespace {

#ifdef VEXEL_MATCHER_SSE2

constexpr uint32_t kLanes = 16;

// 'A'..'Z' to 'a'..'z' in sixteen bytes: moved so that the capitals become the
// lowest signed values, they are the only ones below -128 + 26.
inline __m128i foldLanes(__m128i x)
{
    const __m128i shifted = _mm_add_epi8(x, _mm_set1_epi8(static_cast<char>(0x80 - 'A')));
    const __m128i upper = _mm_cmplt_epi8(shifted, _mm_set1_epi8(static_cast<char>(0x80 + 26)));
    return _mm_or_si128(x, _mm_and_si128(upper, _mm_set1_epi8(0x20)));
}

// Bit i set when both anchors agree at start position p + i.
inline uint32_t anchorMask(const uint8_t* p, uint32_t firstOffset, uint32_t lastOffset,
                           __m128i first, __m128i last, bool fold)
{
    __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + firstOffset));
    __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + lastOffset));
    if (fold) {
        a = foldLanes(a);
        b = foldLanes(b);
    }
    const __m128i both = _mm_and_si128(_mm_cmpeq_epi8(a, first), _mm_cmpeq_epi8(b, last));
    return static_cast<uint32_t>(_mm_movemask_epi8(both));
}

inline uint32_t lowestBit(uint32_t mask) { return static_cast<uint32_t>(std::countr_zero(mask)); }
inline uint32_t highestBit(uint32_t mask) { return 31u - static_cast<uint32_t>(std::countl_zero(mask)); }

#endif

} // namespace

CByteMatcher::CByteMatcher(const BytePattern& pattern, bool matchCase)
    : m_bytes(pattern.bytes), m_anyByte(pattern.anyByte),
      m_bFold(!matchCase && pattern.source != PatternSource::HexPart)
{
    m_anyByte.resize(m_bytes.size(), 0);
    bool first = true;
    for (uint32_t i = 0; i < m_bytes.size(); ++i) {
        if (m_bFold)
            m_bytes[i] = foldByte(m_bytes[i]);
        if (m_anyByte[i])
            continue;
        if (first)
            m_nFirstAnchor = i;
        m_nLastAnchor = i;
        first = false;
    }
    m_bAllAny = first;
    m_bPlain = !m_bFold && !pattern.hasAnyByte();
}

bool CByteMatcher::matchesAt(const uint8_t* p) const
{
    const size_t n = m_bytes.size();
    if (m_bPlain)
        return std::memcmp(p, m_bytes.data(), n) == 0;
    for (size_t i = 0; i < n; ++i) {
        if (m_anyByte[i])
            continue;
        const uint8_t b = m_bFold ? foldByte(p[i]) : p[i];
        if (b != m_bytes[i])
            return false;
    }
    return true;
}

bool CByteMatcher::anchorsAt(const uint8_t* p) const
{
    const uint8_t a = p[m_nFirstAnchor], b = p[m_nLastAnchor];
    if (m_bFold)
        return foldByte(a) == m_bytes[m_nFirstAnchor] && foldByte(b) == m_bytes[m_nLastAnchor];
    return a == m_bytes[m_nFirstAnchor] && b == m_bytes[m_nLastAnchor];
}

std::optional<uint32_t> CByteMatcher::findFirstScalar(const uint8_t* data, uint32_t from,
                                                      uint32_t to) const
{
    if (!m_bFold) {
        // memchr carries the scan between candidates for the first fixed byte.
        const uint8_t anchor = m_bytes[m_nFirstAnchor];
        const uint8_t* base = data + m_nFirstAnchor;
        for (uint32_t q = from; q < to;) {
            const void* hit = std::memchr(base + q, anchor, to - q);
            if (!hit)
                return std::nullopt;
            q = static_cast<uint32_t>(static_cast<const uint8_t*>(hit) - base);
            if (matchesAt(data + q))
                return q;
            ++q;
        }
        return std::nullopt;
    }
    for (uint32_t q = from; q < to; ++q) {
        if (anchorsAt(data + q) && matchesAt(data + q))
            return q;
    }
    return std::nullopt;
}

std::optional<uint32_t> CByteMatcher::findLastScalar(const uint8_t* data, uint32_t from,
                                                     uint32_t to) const
{
    for (uint32_t q = to; q > from; --q) {
        if (anchorsAt(data + q - 1) && matchesAt(data + q - 1))
            return q - 1;
    }
    return std::nullopt;
}

std::optional<uint32_t> CByteMatcher::findFirst(const uint8_t* data, uint32_t from, uint32_t to) const
{
    if (from >= to || m_bytes.empty())
        return std::nullopt;
    if (m_bAllAny)
        return from;
#ifdef VEXEL_MATCHER_SSE2
    const __m128i first = _mm_set1_epi8(static_cast<char>(m_bytes[m_nFirstAnchor]));
    const __m128i last = _mm_set1_epi8(static_cast<char>(m_bytes[m_nLastAnchor]));
    // Sixteen start positions need their anchors at most size() - 1 bytes on,
    // so the loads never pass the last byte the caller vouches for.
    for (; to - from >= kLanes; from += kLanes) {
        uint32_t mask = anchorMask(data + from, m_nFirstAnchor, m_nLastAnchor, first, last, m_bFold);
        for (; mask != 0; mask &= mask - 1) {
            const uint32_t q = from + lowestBit(mask);
            if (matchesAt(data + q))
                return q;
        }
    }
#endif
    return findFirstScalar(data, from, to);
}

std::optional<uint32_t> CByteMatcher::findLast(const uint8_t* data, uint32_t from, uint32_t to) const
{
    if (from >= to || m_bytes.empty())
        return std::nullopt;
    if (m_bAllAny)
        return to - 1;
#ifdef VEXEL_MATCHER_SSE2
    const __m128i first = _mm_set1_epi8(static_cast<char>(m_bytes[m_nFirstAnchor]));
    const __m128i last = _mm_set1_epi8(static_cast<char>(m_bytes[m_nLastAnchor]));
    for (; to - from >= kLanes; to -= kLanes) {
        const uint32_t block = to - kLanes;
        uint32_t mask = anchorMask(data + block, m_nFirstAnchor, m_nLastAnchor, first, last, m_bFold);
        while (mask != 0) {
            const uint32_t bit = highestBit(mask);
            if (matchesAt(data + block + bit))
                return block + bit;
            mask &= ~(1u << bit);
        }
    }
#endif
    return findLastScalar(data, from, to);
}

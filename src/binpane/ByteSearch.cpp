#include "binpane/ByteSearch.h"

#include <algorithm>

namespace {

// One past the last start position at which a pattern of n bytes still lies
// inside size bytes of data (n <= size).
uint32_t startLimit(uint32_t size, uint32_t n) { return size - n + 1; }

std::optional<uint32_t> findInChunk(const CByteMatcher& matcher, const uint8_t* data,
                                    uint32_t from, uint32_t to, bool firstMatch)
{
    return firstMatch ? matcher.findFirst(data, from, to) : matcher.findLast(data, from, to);
}

// The scan as a counter of positions would make it: asked before the first
// position and before every 2,001st after it.
std::optional<uint32_t> scanWithAbortChecks(const CByteMatcher& matcher, const uint8_t* data,
                                            uint32_t from, uint32_t to, bool firstMatch,
                                            const AbortCheck& checkAbort)
{
    std::optional<uint32_t> remembered;
    for (uint32_t q = from; q < to;) {
        if (checkAbort())
            return remembered;
        const uint32_t chunkEnd = to - q > kAbortCheckInterval ? q + kAbortCheckInterval : to;
        if (const auto hit = findInChunk(matcher, data, q, chunkEnd, firstMatch)) {
            if (firstMatch)
                return hit;
            remembered = hit;
        }
        q = chunkEnd;
    }
    return remembered;
}

} // namespace

std::optional<uint32_t> scanRange(const uint8_t* data, uint32_t size, const CByteMatcher& matcher,
                                  uint32_t from, uint32_t to, bool firstMatch,
                                  const AbortCheck& checkAbort)
{
    const uint32_t n = matcher.size();
    if (n == 0 || n > size || from >= to)
        return std::nullopt;
    to = std::min(to, startLimit(size, n));
    if (checkAbort)
        return scanWithAbortChecks(matcher, data, from, to, firstMatch, checkAbort);
    return findInChunk(matcher, data, from, to, firstMatch);
}

bool selectionMatches(const uint8_t* data, uint32_t size, const BytePattern& pattern,
                      bool matchCase, uint32_t first, uint32_t last)
{
    const uint32_t n = pattern.size();
    if (n == 0 || n > kMaxPatternChars || last < first || last >= size || last - first + 1 != n)
        return false;
    return CByteMatcher(pattern, matchCase).matchesAt(data + first);
}

namespace {

uint32_t findStartOffset(const uint8_t* data, uint32_t size, const BytePattern& pattern,
                         const FindRequest& r)
{
    if (r.selection && r.start == FindStart::Wrap) {
        // Searching down from a hit already selected passes over it.
        if (r.down && selectionMatches(data, size, pattern, r.matchCase, r.selStart, r.selEnd))
            return r.selEnd + 1;
        return r.selStart;
    }
    return r.start == FindStart::FromTop ? 0 : r.caret;
}

} // namespace

std::optional<uint32_t> findBytes(const uint8_t* data, uint32_t size, const BytePattern& pattern,
                                  const FindRequest& request, const AbortCheck& checkAbort)
{
    const uint32_t n = pattern.size();
    if (n == 0 || n > size)
        return std::nullopt;
    const CByteMatcher matcher(pattern, request.matchCase);
    const uint32_t end = startLimit(size, n); // e + 1
    uint32_t s = findStartOffset(data, size, pattern, request);
    if (!request.down && uint64_t{s} + n - 1 >= size)
        s = size - n;
    const AbortCheck none;
    const AbortCheck& check = request.start == FindStart::Wrap ? none : checkAbort;
    if (request.down) {
        if (auto hit = scanRange(data, size, matcher, s, end, true, check))
            return hit;
        if (s != 0 && request.start == FindStart::Wrap)
            return scanRange(data, size, matcher, 0, std::min(s, end), true);
        return std::nullopt;
    }
    // Up: the last match that starts before s, else the last one from s on.
    if (auto hit = scanRange(data, size, matcher, 0, s, false, check))
        return hit;
    if (s != end)
        return scanRange(data, size, matcher, s, end, false, check);
    return std::nullopt;
}

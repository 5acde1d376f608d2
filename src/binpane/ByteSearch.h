// Searching the hex pane's bytes: the byte comparison with and without case,
// the scan of a range of start positions (which may ask every 2,001 positions
// whether to stop), and the find with its start modes and wrap-around rules.
// Everything works on the document's bytes as one contiguous block, which the
// pane takes from its image (CFileImage::GetPointer(0) writes the edit window
// back and answers the whole block).
#pragma once

#include "binpane/BytePattern.h"
#include "binpane/CByteMatcher.h"

#include <cstdint>
#include <functional>
#include <optional>

// Without case only 'A'..'Z' and 'a'..'z' meet; every other byte, the bytes
// of double-byte characters included, must be equal.
constexpr uint8_t foldByte(uint8_t b)
{
    return static_cast<uint8_t>(static_cast<uint8_t>(b - 'A') < 26 ? b + ('a' - 'A') : b);
}

constexpr bool bytesEqual(uint8_t a, uint8_t b, bool matchCase)
{
    return matchCase ? a == b : foldByte(a) == foldByte(b);
}

// Asked while a scan runs; true stops the scan.
using AbortCheck = std::function<bool()>;
inline constexpr uint32_t kAbortCheckInterval = 2'001;

// The start of the first (firstMatch) or last match among the start positions
// [from, to), of which only those where the whole pattern lies inside the
// data count. With checkAbort set it is asked before the first position and
// then before every 2,001st; true ends the scan, which then answers the last
// match found before that position (none when firstMatch).
std::optional<uint32_t> scanRange(const uint8_t* data, uint32_t size, const CByteMatcher& matcher,
                                  uint32_t from, uint32_t to, bool firstMatch,
                                  const AbortCheck& checkAbort = {});

enum class FindStart : int {
    Wrap = 0,      // from the caret or the selection, wrapping around
    FromTop = 1,   // from offset 0, without wrap
    FromCaret = 2, // from the caret, without wrap
};

// The pane's state a find starts from.
struct FindRequest
{
    bool down = true;
    bool matchCase = true;
    FindStart start = FindStart::Wrap;
    uint32_t caret = 0;
    bool selection = false; // a selection is shown: selStart .. selEnd, inclusive
    uint32_t selStart = 0;
    uint32_t selEnd = 0;
};

// The start of the match the pane selects next, or none. Searching down from
// a selection that already holds a match passes over it; searching up finds
// the last match that starts before the start. Only FromTop and FromCaret
// scans ask checkAbort. A pattern that is empty or longer than the data is
// never found.
std::optional<uint32_t> findBytes(const uint8_t* data, uint32_t size, const BytePattern& pattern,
                                  const FindRequest& request, const AbortCheck& checkAbort = {});

// Whether the selection first .. last (inclusive) is exactly one match of the
// pattern: the target of a single replacement.
bool selectionMatches(const uint8_t* data, uint32_t size, const BytePattern& pattern,
                      bool matchCase, uint32_t first, uint32_t last);

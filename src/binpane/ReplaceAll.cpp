#include "binpane/ReplaceAll.h"

#include "app/Settings.h"
#include "platform/Messages.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

// Every search after a replacement starts just after the inserted bytes, so
// it only ever sees bytes that were there before: the hits are exactly those
// of one left-to-right scan of the data as it was, each scan starting where
// the previous hit ended. That scan is made first (asking checkAbort exactly
// where the searches between replacements would), the replacements follow.
//
// The journal keeps at most 512 records and evicts the oldest, so after 512
// new records it holds none from before them, whatever it held. Only the last
// hits, whose records fill it, therefore go through replaceSelection with
// their records; all earlier hits are replaced in one pass, each byte moved
// once, instead of moving the tail of the data once per hit.

namespace {

constexpr uint32_t kJournalRecords = 512;
// Hits collected before the earlier ones are replaced in one pass, so that
// memory stays bounded by a sixteenth of the data (and 64 Ki hits at least).
constexpr uint32_t kMinBatch = 65'536;

struct ReplaceRun
{
    CReplaceTarget& target;
    const CByteMatcher& matcher;
    const BytePattern& replacement;
    const AbortCheck& checkAbort;
    uint32_t length;   // bytes of every hit
    uint32_t tailHits; // hits whose undo records fill the journal
    uint32_t count = 0;
    bool refused = false;
    std::vector<uint32_t> pending{}; // found, not yet replaced; offsets of the current data

    int64_t growth() const { return int64_t{replacement.size()} - length; }
    uint32_t shifted(uint32_t position, uint32_t hitsBefore) const
    {
        return static_cast<uint32_t>(position + growth() * hitsBefore);
    }
};

// Replaces pending[0 .. k) one at a time with their undo records; answers how many were replaced.
uint32_t replaceJournaled(ReplaceRun& run, uint32_t k, bool showLast)
{
    for (uint32_t i = 0; i < k; ++i) {
        const uint32_t position = run.shifted(run.pending[i], i);
        const bool shown = showLast && i + 1 == k;
        if (shown)
            run.target.showHit(position, run.length);
        if (!run.target.replaceSelection(position, run.length, run.replacement.bytes.data(),
                                         run.replacement.size())) {
            // The hit that could not be replaced stays selected.
            if (!shown)
                run.target.showHit(position, run.length);
            run.refused = true;
            return i;
        }
    }
    return k;
}

// The data size once every pending hit is replaced (the size now when it shrinks).
uint32_t sizeToHold(const ReplaceRun& run)
{
    const int64_t growth = std::max<int64_t>(0, run.growth());
    return static_cast<uint32_t>(std::min<int64_t>(
        UINT32_MAX, run.target.dataSize() + growth * int64_t(run.pending.size())));
}

// Replaces the first k pending hits; the others move with the data. A hit
// refused for want of room must find the hits before it journaled, so the
// pass without records goes ahead only when every pending hit will fit.
void flush(ReplaceRun& run, uint32_t k, bool last)
{
    if (k == 0)
        return;
    uint32_t done = 0;
    const std::span<const uint32_t> hits(run.pending.data(), k);
    if (!last && run.target.replaceUnjournaled(hits, run.length, run.replacement.bytes.data(),
                                               run.replacement.size(), sizeToHold(run)))
        done = k;
    else
        done = replaceJournaled(run, k, last);
    run.count += done;
    run.pending.erase(run.pending.begin(), run.pending.begin() + done);
    for (uint32_t& position : run.pending)
        position = run.shifted(position, done);
}

// Scans on from `from`, replacing in batches, until no hit is left, the user
// stops or a replacement is refused.
void collectAndReplace(ReplaceRun& run, uint32_t from)
{
    const uint32_t batch = std::max(kMinBatch, run.target.dataSize() / 16);
    const uint8_t* data = run.target.dataBytes();
    uint32_t size = run.target.dataSize();
    while (!run.refused) {
        const auto hit = scanRange(data, size, run.matcher, from, size - run.length + 1, true,
                                   run.checkAbort);
        if (!hit)
            break;
        run.pending.push_back(*hit);
        from = *hit + run.length;
        if (run.pending.size() > batch && run.pending.size() - batch >= run.tailHits) {
            flush(run, batch, false);
            from = run.shifted(from, batch);
            data = run.target.dataBytes(); // the edit may have moved the block
            size = run.target.dataSize();
        }
    }
}

void finish(ReplaceRun& run)
{
    if (run.refused)
        return;
    const auto size = static_cast<uint32_t>(run.pending.size());
    const uint32_t early = size > run.tailHits ? size - run.tailHits : 0;
    flush(run, early, false);
    if (!run.refused)
        flush(run, static_cast<uint32_t>(run.pending.size()), true);
}

} // namespace

uint32_t replaceAll(CReplaceTarget& target, const ReplaceAllRequest& request,
                    const AbortCheck& checkAbort)
{
    if (target.isReadOnly()) {
        // Nothing could be replaced, and every search would stop on the same hit.
        BeepRefusal();
        return 0;
    }
    target.removeSelection();
    const BytePattern find = patternFromText(request.findText, request.source, request.enRexp);
    FindRequest first;
    first.start = FindStart::FromTop;
    first.matchCase = request.matchCase;
    const auto hit = findBytes(target.dataBytes(), target.dataSize(), find, first, checkAbort);
    if (!hit) {
        BeepRefusal();
        return 0;
    }
    BytePattern replacement;
    if (!request.replaceText.empty()) {
        replacement = patternFromText(request.replaceText, request.source, request.enRexp);
        if (replacement.empty()) {
            target.showHit(*hit, find.size());
            BeepRefusal();
            return 0;
        }
    }
    const CByteMatcher matcher(find, request.matchCase);
    // A hit too long for the journal's data block would not be recorded, and
    // the records of earlier hits could then survive: all go through the journal.
    const uint32_t recordsPerHit = replacement.empty() ? 1 : 2;
    const uint32_t tailHits = find.size() <= kMaxPatternChars ? kJournalRecords / recordsPerHit : UINT32_MAX;
    ReplaceRun run{target, matcher, replacement, checkAbort, find.size(), tailHits};
    run.pending.push_back(*hit);
    collectAndReplace(run, *hit + find.size());
    finish(run);
    ShowMessage(StringId::IdsReplacedCount, MsgButtons::Ok, MsgIcon::Information,
                {std::to_string(run.count)}, LoadString(StringId::IdsReplaceTitle));
    return run.count;
}

bool askStopReplaceAll()
{
    return ShowMessage(StringId::IdsStopReplaceAll, MsgButtons::YesNo, MsgIcon::Question, {},
                       LoadString(StringId::IdsReplaceTitle)) == MsgAnswer::Yes;
}

uint32_t replaceRunsInPlace(uint8_t* block, uint32_t size, std::span<const uint32_t> positions,
                            uint32_t length, const uint8_t* bytes, uint32_t n)
{
    const size_t k = positions.size();
    if (k == 0)
        return size;
    auto segmentEnd = [&](size_t i) { return i + 1 < k ? positions[i + 1] : size; };
    if (n == length) {
        for (const uint32_t p : positions)
            std::memcpy(block + p, bytes, n);
        return size;
    }
    if (n < length) {
        // Shrinking: everything moves down, so go from the front.
        uint32_t write = positions[0];
        for (size_t i = 0; i < k; ++i) {
            if (n > 0) // an empty replacement may come without bytes at all
                std::memcpy(block + write, bytes, n);
            write += n;
            const uint32_t read = positions[i] + length, end = segmentEnd(i);
            std::memmove(block + write, block + read, end - read);
            write += end - read;
        }
        return write;
    }
    // Growing: everything moves up, so go from the back.
    const uint32_t newSize = static_cast<uint32_t>(size + uint64_t{n - length} * k);
    uint32_t write = newSize;
    for (size_t i = k; i-- > 0;) {
        const uint32_t read = positions[i] + length, end = segmentEnd(i);
        write -= end - read;
        std::memmove(block + write, block + read, end - read);
        write -= n;
        std::memcpy(block + write, bytes, n);
    }
    return newSize;
}

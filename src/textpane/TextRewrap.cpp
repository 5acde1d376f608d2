// The rewrap after an edit: the display lines from the edited one are wrapped
// again until they meet a line start of the old table, whose later lines then
// only move by the edit's length.
#include "textpane/TextLineModel.h"

#include "app/Settings.h"
#include "doc/CLumoDoc.h"
#include "platform/Messages.h"

#include <algorithm>
#include <memory>
#include <new>

namespace {

// The new rows are built here before the document takes them: two arrays
// sized to the line limit, made on the first rewrap and shared by all views.
struct CRowScratch
{
    std::unique_ptr<uint32_t[]> starts;
    std::unique_ptr<uint8_t[]> breaks;
    uint32_t rows = 0;
};

CRowScratch* SharedScratch(uint32_t rows)
{
    static CRowScratch scratch;
    if (scratch.rows < rows) {
        scratch = {};
        scratch.starts.reset(new (std::nothrow) uint32_t[rows]);
        scratch.breaks.reset(new (std::nothrow) uint8_t[rows]);
        if (!scratch.starts || !scratch.breaks) {
            scratch = {};
            return nullptr;
        }
        scratch.rows = rows;
    }
    return &scratch;
}

// Contiguous text for the wrap. The whole block when the edit window holds
// no pending change (then it costs nothing); otherwise a span at a time, so
// that a small edit does not move the block's tail.
class CTextReader
{
public:
    explicit CTextReader(CLumoDoc& doc)
        : m_doc(doc)
    {
    }
    const uint8_t* At(uint32_t pos, uint32_t n)
    {
        if (!m_pBlock && !m_doc.IsWindowChanged())
            m_pBlock = m_doc.GetBlockPointer();
        return m_pBlock ? m_pBlock + pos : m_doc.GetSpanPointer(pos, n);
    }

private:
    CLumoDoc& m_doc;
    const uint8_t* m_pBlock = nullptr;
};

} // namespace

CTextLineModel::Rewrap CTextLineModel::rewrapFrom(uint32_t position, int64_t delta, uint32_t fromStart,
                                                  uint32_t fromLine)
{
    m_doc.SetModifiedFlag(true);
    return rewrap(position, delta, fromStart, fromLine);
}

CTextLineModel::Rewrap CTextLineModel::rebuild()
{
    return rewrap(0, m_doc.DataSize(), 0, 0);
}

// The old row that starts where the new text's offset `at` stood before the
// edit, when there is one.
std::optional<uint32_t> CTextLineModel::resyncRow(uint32_t at, int64_t delta) const
{
    const CRowTable& rows = m_doc.Rows();
    const int64_t old = int64_t{at} - delta;
    const int64_t oldSize = int64_t{m_doc.DataSize()} - delta;
    if (rows.Count() == 0 || old <= 0 || old > UINT32_MAX || oldSize > UINT32_MAX)
        return std::nullopt;
    const uint32_t k = rowAt(static_cast<uint32_t>(old), static_cast<uint32_t>(oldSize));
    return rows.Start(k) == old ? std::optional<uint32_t>(k) : std::nullopt;
}

CTextLineModel::Rewrap CTextLineModel::rewrap(uint32_t position, int64_t delta, uint32_t fromStart,
                                              uint32_t fromLine)
{
    const CRowTable& rows = m_doc.Rows();
    const uint32_t oldCount = rows.Count();
    const uint32_t size = m_doc.DataSize();
    const uint32_t limit = g_nMaxRows;
    fromLine = std::min(fromLine, oldCount);
    if (size == 0 || (delta < 0 && position == fromStart && fromStart >= size)) {
        const uint32_t count = size == 0 ? 0 : fromLine;
        (void)m_doc.StoreRows(count, count, nullptr, nullptr); // never grows
        return {size, count != oldCount};
    }
    CRowScratch* scratch = SharedScratch(limit);
    if (!scratch) {
        ShowOutOfMemory();
        return {size, false};
    }
    uint32_t* starts = scratch->starts.get();
    uint8_t* breaks = scratch->breaks.get();

    // Where the wrap meets the old rows again: the start of the logical line
    // after the edit, when the old table has a row there.
    uint32_t resync = UINT32_MAX;
    std::optional<uint32_t> matched;
    const uint64_t editEnd = position + static_cast<uint64_t>(std::max<int64_t>(delta, 0));
    if (oldCount < limit && editEnd < size) {
        const uint32_t cr = logicalLineEnd(static_cast<uint32_t>(editEnd));
        if (uint64_t{cr} + 2 < size && (matched = resyncRow(cr + 2, delta)))
            resync = cr + 2;
    }

    CTextReader text(m_doc);
    const uint32_t lookAhead = m_wrap.LookAhead();
    uint32_t k = fromLine;
    uint32_t s = std::min(fromStart, size - 1);
    bool more = true; // text left after row k - 1
    while (more && k < limit) {
        const uint32_t back = std::min<uint32_t>(s, 2);
        const uint32_t n = std::min(size - s, lookAhead);
        const uint8_t* line = text.At(s - back, n + back);
        starts[k] = s;
        breaks[k] = back == 2 && line[0] == CTextWrap::kCr ? 1 : 0;
        ++k;
        s += m_wrap.LineLength(line + back, n);
        more = s < size;
        if (s == resync)
            break;
    }

    uint32_t changedEnd = size;
    if (more && s == resync) {
        const uint32_t first = *matched;
        if (k == first)
            changedEnd = resync;
        // The rest of the old rows only move by the edit's length.
        const uint32_t copied = std::min(oldCount - first, limit - k);
        for (uint32_t i = 0; i < copied; ++i) {
            starts[k + i] = static_cast<uint32_t>(rows.Start(first + i) + delta);
            breaks[k + i] = rows.BeginsLine(first + i) ? 1 : 0;
        }
        k += copied;
        more = first + copied < oldCount;
    }
    if (more && k == limit)
        (void)ShowMessage(StringId::IdsTooManyRows);
    if (!m_doc.StoreRows(fromLine, k, starts, breaks))
        return {size, false};
    return {changedEnd, k != oldCount};
}

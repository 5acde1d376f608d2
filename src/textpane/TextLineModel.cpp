#include "textpane/TextLineModel.h"

#include "app/Settings.h"
#include "doc/CLumoDoc.h"

#include <algorithm>

CTextLineModel::CTextLineModel(CLumoDoc& doc, const CTextLayout& layout)
    : m_doc(doc)
    , m_wrap(layout)
{
}

uint32_t CTextLineModel::lineCount() const
{
    return m_doc.Rows().Count();
}

// A loaded text has LF after every CR, so a CR two bytes from the end is the
// final line break.
bool CTextLineModel::endsWithCr()
{
    const uint32_t size = m_doc.DataSize();
    return size >= 2 && m_doc.GetAt(size - 2) == CTextWrap::kCr;
}

uint32_t CTextLineModel::rowAt(uint32_t offset, uint32_t textLength) const
{
    const CRowTable& rows = m_doc.Rows();
    const uint32_t last = rows.Count() - 1;
    // A display line holds at most `step` bytes, so a distance in bytes
    // bounds the distance in lines and the jumps never overshoot.
    const uint32_t step = m_wrap.MaxLineBytes();
    uint32_t k = 0;
    if (textLength > 4096 && offset > textLength / 2) {
        k = last;
        while (k > 0 && rows.Start(k) > offset && rows.Start(k) - offset > step)
            k -= std::min(k, (rows.Start(k) - offset) / step);
    } else {
        while (k < last && rows.Start(k) <= offset && offset - rows.Start(k) > step)
            k = std::min(last, k + (offset - rows.Start(k)) / step);
    }
    // Walking both ways keeps the answer exact whatever the table holds.
    while (k > 0 && rows.Start(k) > offset)
        --k;
    while (k < last && rows.Start(k + 1) <= offset)
        ++k;
    return k;
}

uint32_t CTextLineModel::rowEnd(uint32_t line) const
{
    const CRowTable& rows = m_doc.Rows();
    const uint32_t size = m_doc.DataSize();
    return line + 1 < rows.Count() ? std::min(rows.Start(line + 1), size) : size;
}

uint32_t CTextLineModel::lineStart(uint32_t line)
{
    const CRowTable& rows = m_doc.Rows();
    const uint32_t count = rows.Count();
    const uint32_t size = m_doc.DataSize();
    if (count == 0)
        return 0;
    if (line < count)
        return std::min(rows.Start(line), size);
    // The empty line after a final CR LF, unless the table is full.
    if (count < g_nMaxRows && endsWithCr())
        return size;
    return std::min(rows.Start(count - 1), size);
}

uint32_t CTextLineModel::lineOf(uint32_t offset)
{
    const uint32_t count = m_doc.Rows().Count();
    const uint32_t size = m_doc.DataSize();
    offset = std::min(offset, size);
    if (count == 0 || offset == 0)
        return 0;
    if (offset == size && count < g_nMaxRows && endsWithCr())
        return count;
    return rowAt(offset, size);
}

uint32_t CTextLineModel::lastUnit(uint32_t start, uint32_t end)
{
    if (end <= start)
        return start;
    const uint32_t n = end - start;
    const uint8_t* s = m_doc.GetSpanPointer(start, n);
    uint32_t q = 0;
    uint32_t last = 0;
    while (q < n) {
        last = q;
        q += CTextWrap::UnitLength(s + q, n - q);
    }
    return start + last;
}

uint32_t CTextLineModel::lineEndOf(uint32_t offset)
{
    const uint32_t size = m_doc.DataSize();
    if (offset >= size)
        return size;
    const uint32_t line = lineOf(offset);
    return lastUnit(lineStart(line), rowEnd(line));
}

uint32_t CTextLineModel::columnOf(uint32_t offset, uint32_t extraColumns)
{
    offset = std::min(offset, m_doc.DataSize());
    const uint32_t start = std::min(lineStart(lineOf(offset)), offset);
    const uint32_t n = offset - start;
    const uint8_t* s = n > 0 ? m_doc.GetSpanPointer(start, n) : nullptr;
    uint64_t c = 0;
    for (uint32_t q = 0; q < n && c < maxColumns();) {
        const uint32_t len = CTextWrap::UnitLength(s + q, n - q);
        // An offset inside a unit counts the bytes before it, a column each.
        c += q + len <= n ? m_wrap.UnitWidth(s + q, n - q, static_cast<uint32_t>(c)) : n - q;
        q += len;
    }
    return static_cast<uint32_t>(std::min<uint64_t>(c + extraColumns, maxColumns()));
}

uint32_t CTextLineModel::unitWidthAt(uint32_t offset)
{
    const uint32_t size = m_doc.DataSize();
    if (offset >= size)
        return 0;
    const uint32_t n = std::min<uint32_t>(size - offset, 2);
    return m_wrap.UnitWidth(m_doc.GetSpanPointer(offset, n), n, columnOf(offset));
}

CTextLineModel::Hit CTextLineModel::offsetAt(uint32_t column, uint32_t line, bool freeCursor)
{
    column = std::min(column, maxColumns());
    line = std::min(line, lineCount());
    const uint32_t start = lineStart(line);
    const uint32_t end = rowEnd(line);
    if (column == 0 || end <= start)
        return {start, 0};
    const uint32_t n = end - start;
    const uint8_t* s = m_doc.GetSpanPointer(start, n);
    uint32_t c = 0;
    uint32_t q = 0;
    for (;;) {
        const uint32_t len = CTextWrap::UnitLength(s + q, n - q);
        if (q + len >= n)
            break;
        c += m_wrap.UnitWidth(s + q, n - q, c);
        q += len;
        // A column inside a unit rounds up to its end.
        if (c >= column)
            return {start + q, 0};
    }
    // The last unit: the asked column lies in it or past the line's end.
    const uint32_t width = m_wrap.UnitWidth(s + q, n - q, c);
    if (c + width > column)
        return {start + q, 0};
    if (freeCursor)
        return {start + q, column - c};
    // Before a CR LF; after any other last unit (the caller steps over it).
    const bool lineBreak = s[q] == CTextWrap::kCr && n - q == 2;
    return {start + q, lineBreak ? 0 : width};
}

CTextLineModel::Position CTextLineModel::offsetToPosition(uint32_t offset, uint32_t extraColumns)
{
    return {columnOf(offset, extraColumns), lineOf(offset)};
}

std::optional<uint32_t> CTextLineModel::nextLineStart(uint32_t start)
{
    const uint32_t size = m_doc.DataSize();
    if (start >= size)
        return std::nullopt;
    const uint32_t n = std::min(size - start, m_wrap.LookAhead());
    const uint32_t next = start + m_wrap.LineLength(m_doc.GetSpanPointer(start, n), n);
    return next < size ? std::optional<uint32_t>(next) : std::nullopt;
}

uint32_t CTextLineModel::logicalLineEnd(uint32_t offset)
{
    constexpr uint32_t kChunk = 4096;
    const uint32_t size = m_doc.DataSize();
    uint32_t p = std::min(offset, size);
    while (p < size) {
        const uint32_t n = std::min(size - p, kChunk);
        const uint8_t* s = m_doc.GetSpanPointer(p, n);
        // A unit never straddles the chunk's end: the next chunk starts at it.
        const uint32_t stop = p + n == size ? n : n - 1;
        uint32_t i = 0;
        while (i < stop) {
            if (s[i] == CTextWrap::kCr)
                return p + i;
            i += CTextWrap::UnitLength(s + i, n - i);
        }
        p += i;
    }
    return size;
}

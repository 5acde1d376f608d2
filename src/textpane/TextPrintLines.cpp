#include "textpane/TextPrintLines.h"

#include "doc/CLumoDoc.h"

#include <algorithm>

namespace {
constexpr uint32_t kCountSpan = 1u << 16;
} // namespace

CTextLayout PrintTextLayout(const CTextLayout& document, int charsPerLine)
{
    CTextLayout layout = document;
    const CTextWrap wrap(document);
    const uint32_t extra = wrap.MaxColumns() - wrap.FoldColumn();
    const int64_t room = int64_t{charsPerLine} - extra;
    layout.foldColumn = static_cast<uint32_t>(std::clamp<int64_t>(room, 1, document.foldColumn));
    return layout;
}

std::optional<std::vector<TextPrintLine>> BuildTextPrintLines(CLumoDoc& doc, uint32_t from, uint32_t to,
                                                              const CTextWrap& wrap, size_t capacity)
{
    std::vector<TextPrintLine> lines;
    to = std::min(to, doc.DataSize());
    // The logical lines before `from`, for the numbers: its CR LF pairs,
    // read a span at a time.
    uint32_t logical = 0;
    uint8_t previous = 0;
    for (uint32_t pos = 0; pos < from;) {
        const uint32_t n = std::min<uint32_t>(from - pos, kCountSpan);
        const uint8_t* span = doc.GetSpanPointer(pos, n);
        for (uint32_t i = 0; i < n; previous = span[i++])
            logical += span[i] == '\n' && previous == CTextWrap::kCr;
        pos += n;
    }
    bool startsLogical = from == 0 || (from >= 2 && doc.GetAt(from - 2) == CTextWrap::kCr && doc.GetAt(from - 1) == '\n');
    for (uint32_t pos = from; pos < to;) {
        if (lines.size() + 1 >= capacity)
            return std::nullopt;
        lines.push_back({pos, logical, startsLogical});
        const uint32_t n = std::min(to - pos, wrap.LookAhead());
        const uint8_t* text = doc.GetSpanPointer(pos, n);
        const uint32_t length = std::max<uint32_t>(1, wrap.LineLength(text, n));
        startsLogical = length >= 2 && text[length - 2] == CTextWrap::kCr && text[length - 1] == '\n';
        logical += startsLogical;
        pos += length;
    }
    return lines;
}

std::string TextPrintCells(const uint8_t* text, uint32_t n, const CTextWrap& wrap)
{
    std::string cells;
    for (uint32_t q = 0; q < n;) {
        const uint32_t length = CTextWrap::UnitLength(text + q, n - q);
        const uint32_t width = wrap.UnitWidth(text + q, n - q, static_cast<uint32_t>(cells.size()));
        if (text[q] < 0x20 || text[q] == 0x7F)
            cells.append(width, ' ');
        else
            cells.append(reinterpret_cast<const char*>(text + q), length);
        q += length;
    }
    while (!cells.empty() && cells.back() == ' ')
        cells.pop_back();
    return cells;
}

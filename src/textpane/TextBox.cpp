#include "textpane/TextBox.h"

#include "doc/CLumoDoc.h"
#include "textpane/TextLineModel.h"

#include <algorithm>

CTextBox BoxBetween(uint32_t anchor, uint32_t current, uint32_t maxColumns)
{
    const uint32_t width = maxColumns + 2;
    const uint32_t anchorLine = anchor / width, anchorColumn = anchor % width;
    const uint32_t currentLine = current / width, currentColumn = current % width;
    return {std::min(anchorLine, currentLine), std::max(anchorLine, currentLine),
            std::min(anchorColumn, currentColumn), std::max(anchorColumn, currentColumn)};
}

size_t BoxTextCapacity(const CTextBox& box, uint32_t maxColumns)
{
    // A display line holds at most maxColumns + 2 bytes, and a CR LF may follow.
    return (size_t{box.bottom} - box.top + 1) * (size_t{maxColumns} + 10);
}

size_t BoxText(CTextLineModel& lines, CLumoDoc& doc, const CTextBox& box, uint8_t* out)
{
    const CTextWrap& wrap = lines.wrap();
    const uint32_t count = lines.lineCount();
    size_t written = 0;
    for (uint32_t line = box.top; line <= box.bottom; ++line) {
        bool endsWithCrLf = false;
        if (line < count) {
            const uint32_t start = lines.lineStart(line);
            const uint32_t end = line + 1 < count ? lines.lineStart(line + 1) : doc.DataSize();
            const uint32_t n = end - start;
            const uint8_t* s = doc.GetSpanPointer(start, n);
            // Every unit copied starts left of the right edge and is at least as
            // wide as it is long, so a line gives at most right + 1 bytes.
            for (uint32_t q = 0, column = 0; q < n && column < box.right;) {
                const uint32_t length = CTextWrap::UnitLength(s + q, n - q);
                const uint32_t width = wrap.UnitWidth(s + q, n - q, column);
                if (column + width > box.left) {
                    std::copy(s + q, s + q + length, out + written);
                    written += length;
                    endsWithCrLf = s[q] == CTextWrap::kCr && length == 2;
                }
                column += width;
                q += length;
            }
        }
        if (!endsWithCrLf) {
            out[written++] = '\r';
            out[written++] = '\n';
        }
    }
    return written;
}

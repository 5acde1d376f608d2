#include "textpane/RulerScale.h"

#include "doc/CLumoDoc.h"
#include "textpane/TextLineModel.h"

#include <algorithm>
#include <array>

namespace ruler {

namespace {

// Lengths in tenths of a millimetre.
constexpr int kLongTickLM = 35;
constexpr int kMediumTickLM = 25;
constexpr int kShortTickLM = 15;
// The marker reaches this far right of the wrap column's tick.
constexpr int kMarkerSlack = 2;

constexpr std::array<uint32_t, 17> kPalette = {
    0x000000, 0x000000, 0xFF0000, 0xFFFF00, 0x00FF00, 0xFF00FF, 0x0000FF, 0x00FFFF, 0xFFFFFF,
    0x800000, 0x808000, 0x008000, 0x800080, 0x000080, 0x008080, 0x808080, 0xC0C0C0,
};

} // namespace

uint32_t PaletteColour(int index)
{
    return index >= 0 && index < static_cast<int>(kPalette.size()) ? kPalette[index] : 0;
}

int TenthsMmToPx(int dpi, int tenths)
{
    return dpi * tenths / 254;
}

Ticks Ticks::ForDpi(int dpi)
{
    return {TenthsMmToPx(dpi, kLongTickLM), TenthsMmToPx(dpi, kMediumTickLM), TenthsMmToPx(dpi, kShortTickLM)};
}

int Ticks::lengthAt(uint32_t index) const
{
    return index % 10 == 0 ? longTick : index % 5 == 0 ? mediumTick : shortTick;
}

int ColumnGrid::leftOf(uint32_t column) const
{
    return x0 + (static_cast<int>(column) - static_cast<int>(scrollColumn)) * cellWidth;
}

uint32_t ColumnGrid::columnAt(int x) const
{
    const int64_t column = (int64_t{x} - x0 + 1) / cellWidth + scrollColumn;
    return static_cast<uint32_t>(std::max<int64_t>(column, 0));
}

bool ColumnGrid::onWrapMarker(int x, int y, uint32_t wrapColumn) const
{
    const int left = leftOf(wrapColumn);
    if (x < left || x > left + kMarkerSlack || y < height - longTick || y > height)
        return false;
    const uint32_t column = columnAt(x);
    return column == wrapColumn || column + 1 == wrapColumn;
}

int ColumnGrid::dragColumn(int x) const
{
    const int64_t column = (int64_t{x} - x0 + 1) / cellWidth + scrollColumn;
    return static_cast<int>(std::clamp<int64_t>(column, kMinFoldColumn, kMaxFoldColumn));
}

uint32_t RowAt(int y, int topMargin, int rowHeight, uint32_t topLine, uint32_t lastRow)
{
    // Floor division: a point above the ruler is on the rows above the first shown.
    const int64_t dy = int64_t{y} - topMargin;
    const int64_t rows = dy >= 0 ? dy / rowHeight : -((-dy + rowHeight - 1) / rowHeight);
    return static_cast<uint32_t>(std::clamp<int64_t>(rows + topLine, 0, lastRow));
}

LineSelection WholeLines(CTextLineModel& lines, uint32_t textLength, uint32_t anchorLine, uint32_t row)
{
    const auto endOf = [&](uint32_t line) { return lines.nextLineStart(lines.lineStart(line)).value_or(textLength); };
    if (row >= anchorLine)
        return {lines.lineStart(anchorLine), endOf(row)};
    return {endOf(anchorLine), lines.lineStart(row)};
}

bool RowIsMarked(const CLumoDoc& doc, CTextLineModel& lines, uint32_t row)
{
    if (row >= doc.Rows().Count() || (row > 0 && !doc.Rows().BeginsLine(row)))
        return false;
    const uint32_t start = lines.lineStart(row);
    const uint32_t mark = start == 0 ? CLumoDoc::kFirstLineMark : start - 2;
    const auto marks = doc.TextMarks();
    return std::binary_search(marks.begin(), marks.end(), mark);
}

} // namespace ruler

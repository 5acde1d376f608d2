// The arithmetic of the two rulers beside the text pane, without a window:
// their palette, tick lengths, where a column or row sits, the wrap marker's
// hit test, the fold column a drag points at, and the whole-line selection
// the line ruler makes.
#pragma once

#include <cstdint>

class CLumoDoc;
class CTextLineModel;

namespace ruler {

// The rulers' 17-entry palette (also used for colour settings 1..16), as
// 0x00BBGGRR; an index out of range gives black.
uint32_t PaletteColour(int index);
enum PaletteIndex : int { kBlack = 1, kGrey = 15, kRed = 6, kMaroon = 13, kWhite = 8 };

// Tick lengths in pixels for a resolution (tenths of a millimetre → pixels).
struct Ticks
{
    int longTick = 0;   // every 10th
    int mediumTick = 0; // every 5th
    int shortTick = 0;
    static Ticks ForDpi(int dpi);
    int lengthAt(uint32_t index) const;
};
int TenthsMmToPx(int dpi, int tenths);

// The fold column a drag may set.
inline constexpr int kMinFoldColumn = 10;
inline constexpr int kMaxFoldColumn = 250;

// The column ruler's grid: column c's left edge is at x0 + (c - scroll) * cell.
struct ColumnGrid
{
    int x0 = 0;
    int cellWidth = 1;
    uint32_t scrollColumn = 0;
    int height = 0;
    int longTick = 0;

    int leftOf(uint32_t column) const;
    // The column under x (columns left of the scale count as the first shown).
    uint32_t columnAt(int x) const;
    // The point lies on the wrap marker: from its tick to 2 pixels right,
    // over the long tick's height, and over the wrap column or the one before.
    bool onWrapMarker(int x, int y, uint32_t wrapColumn) const;
    // The fold column a drag to x sets, kept within 10..250.
    int dragColumn(int x) const;
};

// The display row under y of the line ruler (y may lie outside it), kept
// within 0..lastRow.
uint32_t RowAt(int y, int topMargin, int rowHeight, uint32_t topLine, uint32_t lastRow);

// A whole-line selection from anchorLine to row: the anchor offset and the
// selection end. At or below the anchor line the end is the end of row and
// the anchor the start of anchorLine; above it, the end is the start of row
// and the anchor the end of anchorLine, so the anchor line stays selected.
struct LineSelection
{
    uint32_t anchor = 0;
    uint32_t end = 0;
};
LineSelection WholeLines(CTextLineModel& lines, uint32_t textLength, uint32_t anchorLine, uint32_t row);

// The display row begins a logical line that the document marks.
bool RowIsMarked(const CLumoDoc& doc, CTextLineModel& lines, uint32_t row);

} // namespace ruler

// A box selection of the text pane: a rectangle of display lines and columns
// between two corners, each corner kept as one number, and the text a box
// copy makes of it.
#pragma once

#include <cstddef>
#include <cstdint>

class CLumoDoc;
class CTextLineModel;

struct CTextBox
{
    uint32_t top = 0, bottom = 0;   // display lines, both inside
    uint32_t left = 0, right = 0;   // columns left .. right - 1
    bool operator==(const CTextBox&) const = default;
    bool empty() const { return left >= right; }
};

// A corner as one number: (maxColumns + 2) lines of columns.
constexpr uint32_t BoxCoordinate(uint32_t column, uint32_t line, uint32_t maxColumns)
{
    return (maxColumns + 2) * line + column;
}

// The box between two corners given as box coordinates.
CTextBox BoxBetween(uint32_t anchor, uint32_t current, uint32_t maxColumns);

// The room BoxText may fill.
size_t BoxTextCapacity(const CTextBox& box, uint32_t maxColumns);
// Every unit of each line of the box that covers one of its columns (a tab or
// a double-byte character cut by an edge whole), each line ended by CR LF
// unless its part already ends with the line's own. Answers the bytes written.
size_t BoxText(CTextLineModel& lines, CLumoDoc& doc, const CTextBox& box, uint8_t* out);

// Scroll-bar arithmetic of the hex pane, kept apart from the widget so that
// the ranges and the handlers' answers can be checked without a window.
#pragma once

#include <cstdint>

enum class ScrollRequest { LineUp, LineDown, PageUp, PageDown, ThumbPosition, ThumbTrack, Top, Bottom };

// What the vertical handler makes of a request.
struct VerticalScrollAction
{
    enum Kind { None, Move, Key } kind = None;
    int32_t delta = 0;   // lines, for Move
    int key = 0;         // Qt key code, for Key: an inactive bar hands the request to the keyboard
};

struct DumpScroll
{
    // Vertical bar state.
    int32_t position = 0;
    int32_t maximum = 0;
    bool active = false;

    // Ranges after a size change or a change of the data size.
    void setVerticalRange(uint32_t lines, int32_t visibleLines);

    // The handler: page = lines that fit below the first data line.
    VerticalScrollAction vertical(ScrollRequest request, int32_t trackPosition, int32_t page) const;

    // Horizontal extent in columns; answers the maximum scroll column (0: no scrolling).
    static int32_t horizontalMaximum(int bytesPerLine, int charWidthPx, int32_t visibleColumns);
    // New scroll column for a request; line steps are 10 columns.
    static int32_t horizontal(ScrollRequest request, int32_t column, int32_t trackPosition,
                              int32_t visibleColumns, int32_t maximum);
};

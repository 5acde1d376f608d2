#include "binpane/DumpScroll.h"

#include "platform/QtKeyCodes.h"

#include <algorithm>


void DumpScroll::setVerticalRange(uint32_t lines, int32_t visibleLines)
{
    if (static_cast<int64_t>(lines) + 1 > visibleLines) {
        maximum = static_cast<int32_t>(lines) - visibleLines + 1;
        active = true;
        position = std::clamp(position, 0, maximum);
    } else {
        maximum = static_cast<int32_t>(lines);
        active = false;
    }
}

VerticalScrollAction DumpScroll::vertical(ScrollRequest request, int32_t trackPosition,
                                          int32_t page) const
{
    VerticalScrollAction action;
    if (maximum < 1 && position == 0)
        return action;

    if (!active && position == 0) {
        // The whole file fits: the bar stands for the keyboard.
        action.kind = VerticalScrollAction::Key;
        switch (request) {
        case ScrollRequest::LineUp: action.key = qtkey::Key_Up; break;
        case ScrollRequest::LineDown: action.key = qtkey::Key_Down; break;
        case ScrollRequest::PageUp: action.key = qtkey::Key_PageUp; break;
        case ScrollRequest::PageDown: action.key = qtkey::Key_PageDown; break;
        case ScrollRequest::ThumbPosition: action.key = qtkey::Key_End; break;
        case ScrollRequest::Top: action.key = qtkey::Key_Home; break;
        case ScrollRequest::Bottom: action.key = qtkey::Key_End; break;
        case ScrollRequest::ThumbTrack: action.kind = VerticalScrollAction::None; break;
        }
        return action;
    }

    int32_t target = position;
    switch (request) {
    case ScrollRequest::LineUp: target = position - 1; break;
    case ScrollRequest::LineDown: target = position + 1; break;
    case ScrollRequest::PageUp: target = position - page; break;
    case ScrollRequest::PageDown: target = position + page; break;
    case ScrollRequest::ThumbPosition:
    case ScrollRequest::ThumbTrack: target = trackPosition; break;
    case ScrollRequest::Top: target = 0; break;
    case ScrollRequest::Bottom: target = maximum; break;
    }
    if (!active) {
        // Left over after a resize: only moves back toward the top are allowed.
        const bool upward = request == ScrollRequest::LineUp || request == ScrollRequest::PageUp
            || request == ScrollRequest::Top
            || (request == ScrollRequest::ThumbPosition && trackPosition < position);
        if (!upward)
            return action;
        target = std::max(target, 0);
    } else {
        target = std::clamp(target, 0, maximum);
    }
    if (target != position) {
        action.kind = VerticalScrollAction::Move;
        action.delta = target - position;
    }
    return action;
}

int32_t DumpScroll::horizontalMaximum(int bytesPerLine, int charWidthPx, int32_t visibleColumns)
{
    const int32_t width = 4 * bytesPerLine + 11 + (2 * bytesPerLine - 1) / 16 + charWidthPx;
    return width + 1 > visibleColumns ? width + 1 - visibleColumns : 0;
}

int32_t DumpScroll::horizontal(ScrollRequest request, int32_t column, int32_t trackPosition,
                               int32_t visibleColumns, int32_t maximum)
{
    if (maximum <= 0)
        return column;
    int32_t target = column;
    switch (request) {
    case ScrollRequest::LineUp: target = column - 10; break;
    case ScrollRequest::LineDown: target = column + 10; break;
    case ScrollRequest::PageUp: target = column - visibleColumns; break;
    case ScrollRequest::PageDown: target = column + visibleColumns; break;
    case ScrollRequest::ThumbPosition:
    case ScrollRequest::ThumbTrack: target = trackPosition; break;
    case ScrollRequest::Top: target = 0; break;
    case ScrollRequest::Bottom: target = maximum; break;
    }
    return std::clamp(target, 0, maximum);
}

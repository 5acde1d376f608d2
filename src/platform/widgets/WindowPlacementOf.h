// The placement record of a window as the settings and the cabinet keep it:
// its normal rectangle (right and bottom exclusive) and its show command, 1
// normal, 2 minimised, 3 maximised, with flag 2 while maximised.
#pragma once

#include "app/Settings.h"

#include <QRect>

inline WindowPlacement PlacementOf(const QRect& normal, Qt::WindowStates state)
{
    const bool maximised = state & Qt::WindowMaximized;
    WindowPlacement placement;
    placement.flags = maximised ? 2 : 0;
    placement.showCmd = state & Qt::WindowMinimized ? 2 : maximised ? 3 : 1;
    placement.left = normal.left();
    placement.top = normal.top();
    placement.right = normal.right() + 1;
    placement.bottom = normal.bottom() + 1;
    return placement;
}

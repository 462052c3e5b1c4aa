#pragma once
// Where a business window appears over the main window: vertically centred,
// a little lower, never below 90; horizontally centred, never left of 2.

#include <QPoint>
#include <cmath>

namespace Orb {

inline QPoint ChildPlacement(int mainHeight, int mainClientWidth, int height, int width)
{
    const int top = std::min(90, int(std::lround((mainHeight - height) / 2.0 + 5)));
    const int left = std::max(2, int(std::lround((mainClientWidth - width) / 2.0 - 1)));
    return QPoint(left, top);
}

} // namespace Orb

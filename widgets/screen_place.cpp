#include "screen_place.h"

#include <algorithm>

QPoint PlaceOnScreen(const QRect &screen, QPoint place, QSize size)
{
    const QPoint wanted = screen.topLeft() + place;
    // Right and bottom first, so that a window larger than the screen keeps its top left corner on it.
    const int x = std::max(screen.left(), std::min(wanted.x(), screen.left() + screen.width() - size.width()));
    const int y = std::max(screen.top(), std::min(wanted.y(), screen.top() + screen.height() - size.height()));
    return {x, y};
}

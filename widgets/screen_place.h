#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where a window of this size goes for a place given from the screen's top
// left corner: kept whole on the screen. A desktop's screen starts at 0, 0;
// a page's screen starts where the page puts it, and may be small.
QPoint PlaceOnScreen(const QRect &screen, QPoint place, QSize size);

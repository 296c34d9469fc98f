#include "hot_spot.h"

#include <QMouseEvent>

HotSpot::HotSpot(QWidget *parent)
    : QWidget(parent)
{
    setCursor(Qt::PointingHandCursor);
    ReleaseRouter::install();
}

void HotSpot::releaseAction(Qt::MouseButton button)
{
    emit released(button);
}

void HotSpot::mousePressEvent(QMouseEvent *event)
{
    // The press belongs to this hot spot until the button is released.
    event->accept();
}

void HotSpot::mouseReleaseEvent(QMouseEvent *event)
{
    // Handled by the router; accepting keeps the release from the window.
    event->accept();
}

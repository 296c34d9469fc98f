#pragma once

#include <QInputDevice>
#include <QMouseEvent>

// A mouse event that Qt made from a finger on a touch screen. What touch does
// differently is decided from this alone, so that a mouse session never changes.
inline bool IsTouch(const QMouseEvent *event)
{
    return event->device() && event->device()->type() == QInputDevice::DeviceType::TouchScreen;
}

#pragma once

#include <QInputDevice>
#include <QMouseEvent>

// A mouse event that Qt made from a finger on a touch screen. What touch does
// differently is decided from this alone, so that a mouse session never changes.
inline bool IsTouch(const QMouseEvent *event)
{
    return event->device() && event->device()->type() == QInputDevice::DeviceType::TouchScreen;
}

// How many times larger than the screen's own pixels the window's pixels are
// shown (full screen on a projector): 1 otherwise.
inline qreal &ShownMagnification()
{
    static qreal magnification = 1;
    return magnification;
}

// A finger is the same size whatever the magnification: a distance for it,
// given in the screen's own pixels, in the window's pixels.
inline int FingerDistance(int screenPixels)
{
    return qRound(screenPixels / ShownMagnification());
}

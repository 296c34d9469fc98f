#pragma once

#include <QSize>

class QScreen;

// Qt's own scale factor for a screen, set while the program runs: windows on
// it are laid out as before and drawn at the new ratio, text and lines sharp,
// every pixel of an image a square block.
void SetScreenRatio(QScreen *screen, qreal deviceRatio);

// The largest whole number of device pixels per pixel of the design at which
// it fits in that many device pixels; at least 1.
int WholeScale(QSize design, QSize devicePixels);

// What the platform itself multiplies by: a browser's own pixel ratio, 1 on
// most desktops.
qreal PlatformRatio(const QScreen *screen);

// The screen's size in the pixels its platform counts: a desktop's own
// pixels, a page's CSS pixels.
QSize PlatformPixels(const QScreen *screen);

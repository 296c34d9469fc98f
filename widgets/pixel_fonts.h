#pragma once

#include <QFont>
#include <QString>

class QWidget;

// A font of the given character height in pixels. Where the family is missing
// a close substitute of the same height is used.
QFont PixelFont(const QString &family, int pixelHeight, bool bold = false);

// Applies the fonts that a window's description declares in the dynamic
// property "pixelFont" ("family,height" or "family,height,bold") to the
// window and every control below it, the window first.
void ApplyPixelFonts(QWidget *window);

#pragma once

#include "sky_tables.h"

#include <QImage>

// The plain picture of a view: black sky, star discs, point stars, specks.
QImage BuildSkyPicture(SkyView view);
// The plain picture with the view's figure lines in white, 2 pixels wide.
QImage BuildFigurePicture(SkyView view);

// Paints a filled disc of the given diameter on the centre point.
void PaintDisc(QImage &image, QPoint centre, int diameter, QRgb colour);
// Whether the centre of pixel (x, y) lies within 1 pixel of the segment,
// which makes a line 2 pixels wide centred on it.
bool IsOnFigureLine(const FigureSegment &segment, int x, int y);

#include "sky_pictures.h"

#include <cstdint>

namespace {
void setPixel(QImage &image, int x, int y, QRgb colour)
{
    if (x >= 0 && y >= 0 && x < image.width() && y < image.height())
        reinterpret_cast<QRgb *>(image.scanLine(y))[x] = colour;
}
} // namespace

void PaintDisc(QImage &image, QPoint centre, int diameter, QRgb colour)
{
    const std::span<const int> widths = DiscRowWidths(diameter);
    int y = centre.y() - diameter / 2;
    for (const int width : widths) {
        for (int x = centre.x() - width / 2; x < centre.x() + width / 2; ++x)
            setPixel(image, x, y, colour);
        ++y;
    }
}

QImage BuildSkyPicture(SkyView view)
{
    const SkyViewTable &table = SkyViewTableOf(view);
    QImage image(SkyWidth, SkyHeight, QImage::Format_RGB32);
    image.fill(SkyBackground);
    for (const SkyDisc &disc : table.discs) {
        const DiscLayers layers = LayersOfSize(disc.size);
        if (layers.outer)
            PaintDisc(image, disc.centre, layers.outer, StarOuterRing);
        if (layers.middle)
            PaintDisc(image, disc.centre, layers.middle, StarMiddleRing);
        PaintDisc(image, disc.centre, layers.core, StarCore);
    }
    for (const QPoint &star : table.pointStars)
        setPixel(image, star.x(), star.y(), StarCore);
    for (const Speck &speck : table.specks)
        setPixel(image, speck.pixel.x(), speck.pixel.y(), speck.colour);
    return image;
}

bool IsOnFigureLine(const FigureSegment &segment, int x, int y)
{
    // In half-pixel units, so that pixel centres and end points are integers.
    const std::int64_t px = 2 * x + 1, py = 2 * y + 1;
    const std::int64_t ax = 2 * segment.from.x(), ay = 2 * segment.from.y();
    const std::int64_t dx = 2 * segment.to.x() - ax, dy = 2 * segment.to.y() - ay;
    const std::int64_t ux = px - ax, uy = py - ay;
    const std::int64_t length2 = dx * dx + dy * dy;
    const std::int64_t along = ux * dx + uy * dy;
    constexpr std::int64_t Radius2 = 2 * 2; // one pixel, squared, in half pixels
    if (along <= 0 || length2 == 0)
        return ux * ux + uy * uy < Radius2;
    if (along >= length2) {
        const std::int64_t vx = px - (ax + dx), vy = py - (ay + dy);
        return vx * vx + vy * vy < Radius2;
    }
    const std::int64_t cross = ux * dy - uy * dx;
    return cross * cross < Radius2 * length2;
}

QImage BuildFigurePicture(SkyView view)
{
    QImage image = BuildSkyPicture(view);
    for (const FigureSegment &segment : SkyViewTableOf(view).figure) {
        const int left = std::min(segment.from.x(), segment.to.x()) - 2;
        const int right = std::max(segment.from.x(), segment.to.x()) + 2;
        const int top = std::min(segment.from.y(), segment.to.y()) - 2;
        const int bottom = std::max(segment.from.y(), segment.to.y()) + 2;
        for (int y = top; y <= bottom; ++y)
            for (int x = left; x <= right; ++x)
                if (IsOnFigureLine(segment, x, y))
                    setPixel(image, x, y, FigureLine);
    }
    return image;
}

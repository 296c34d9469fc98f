#include "strip.h"

Strip::Strip(int width, int height)
    : m_image(width, height, QImage::Format_RGB32)
{
    m_image.fill(qRgb(255, 255, 255));
}

void Strip::drawColumnLine(int x)
{
    if (x < 0 || x >= m_image.width())
        return;
    uchar *row = m_image.bits() + x * int(sizeof(QRgb));
    const qsizetype stride = m_image.bytesPerLine();
    for (int y = 0; y < m_image.height(); ++y, row += stride)
        *reinterpret_cast<QRgb *>(row) = m_pen;
    if (m_changed)
        m_changed();
}

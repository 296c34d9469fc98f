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
    for (int y = 0; y < m_image.height(); ++y)
        reinterpret_cast<QRgb *>(m_image.scanLine(y))[x] = m_pen;
    if (m_changed)
        m_changed();
}

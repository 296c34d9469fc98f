#pragma once

#include <QImage>
#include <QRgb>
#include <functional>

// A spectrum strip: an RGB bitmap with a pen whose colour persists between
// drawing calls. The pen is always one pixel wide.
class Strip
{
public:
    Strip(int width, int height);

    const QImage &image() const { return m_image; }
    QRgb pen() const { return m_pen; }
    void setPen(QRgb colour) { m_pen = colour; }

    // Move to (x, 0), line to (x, height): the end point is excluded, so the
    // whole column is drawn. A column outside the bitmap draws nothing.
    void drawColumnLine(int x);

    // Called after every drawing call, so a view can repaint.
    void setChangedHandler(std::function<void()> handler) { m_changed = std::move(handler); }

private:
    QImage m_image;
    QRgb m_pen = qRgb(0, 0, 0);
    std::function<void()> m_changed;
};

#include "picture.h"

#include <QMouseEvent>
#include <QPainter>

Picture::Picture(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Picture::setStretched(bool stretched)
{
    m_stretched = stretched;
    rescale();
}

void Picture::setImage(const QImage &image)
{
    m_live = nullptr;
    m_source = image;
    rescale();
}

void Picture::setLiveImage(const QImage *image)
{
    m_live = image;
    m_source = QImage();
    m_shown = QImage();
    update();
}

QImage Picture::stretchByCentreSampling(const QImage &source, QSize size)
{
    const QImage rgb = source.convertToFormat(QImage::Format_RGB32);
    QImage result(size, QImage::Format_RGB32);
    const qint64 sw = rgb.width(), sh = rgb.height();
    const qint64 cw = size.width(), ch = size.height();
    for (int y = 0; y < size.height(); ++y) {
        // floor((y + 0.5) * sh / ch), in integers
        const int sy = int(((2 * y + 1) * sh) / (2 * ch));
        const auto *in = reinterpret_cast<const QRgb *>(rgb.constScanLine(sy));
        auto *out = reinterpret_cast<QRgb *>(result.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            out[x] = in[((2 * x + 1) * sw) / (2 * cw)];
    }
    return result;
}

void Picture::rescale()
{
    if (m_source.isNull() || size().isEmpty())
        m_shown = m_source;
    else
        m_shown = m_stretched ? stretchByCentreSampling(m_source, size()) : m_source;
    update();
}

void Picture::resizeEvent(QResizeEvent *)
{
    if (m_stretched)
        rescale();
}

void Picture::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QImage &image = m_live ? *m_live : m_shown;
    if (image.isNull())
        painter.fillRect(rect(), Qt::black);
    else
        painter.drawImage(0, 0, image);
}

void Picture::mouseMoveEvent(QMouseEvent *event)
{
    emit mouseMoved(event->position().toPoint());
    QWidget::mouseMoveEvent(event);
}

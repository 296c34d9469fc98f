#include "picture.h"

#include "accessible_widgets.h"

#include <QMouseEvent>
#include <QPainter>
#include <vector>

Picture::Picture(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    InstallAccessibleWidgets();
}

void Picture::setStretched(bool stretched)
{
    m_stretched = stretched;
    rescale();
    update();
}

void Picture::setImage(std::function<QImage()> maker)
{
    m_live = nullptr;
    m_source = QImage();
    m_shown = QImage();
    m_maker = std::move(maker);
    if (isVisible())
        makePending();
    update();
}

void Picture::makePending()
{
    if (!m_maker)
        return;
    m_source = m_maker();
    m_maker = nullptr;
    rescale();
}

void Picture::showEvent(QShowEvent *event)
{
    makePending();
    QWidget::showEvent(event);
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
    // Source column and row under the centre of each control pixel:
    // floor((X + 0.5) * source / control), in integers.
    std::vector<int> columns(std::size_t(size.width()));
    for (int x = 0; x < size.width(); ++x)
        columns[std::size_t(x)] = int(((2 * qint64(x) + 1) * rgb.width()) / (2 * qint64(size.width())));
    for (int y = 0; y < size.height(); ++y) {
        const int sy = int(((2 * qint64(y) + 1) * rgb.height()) / (2 * qint64(size.height())));
        const auto *in = reinterpret_cast<const QRgb *>(rgb.constScanLine(sy));
        auto *out = reinterpret_cast<QRgb *>(result.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            out[x] = in[columns[std::size_t(x)]];
    }
    return result;
}

void Picture::rescale()
{
    if (m_source.isNull() || size().isEmpty())
        m_shown = m_source;
    else
        m_shown = m_stretched ? stretchByCentreSampling(m_source, size()) : m_source;
}

void Picture::resizeEvent(QResizeEvent *)
{
    if (m_stretched && !m_source.isNull() && m_shown.size() != size())
        rescale();
}

void Picture::paintEvent(QPaintEvent *)
{
    makePending();
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

#include "link_surface.h"

#include <QEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QPen>

LinkSurface::LinkSurface(QWidget *parent)
    : QWidget(parent)
    , m_layer(parent->size(), QImage::Format_ARGB32_Premultiplied)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setGeometry(parent->rect());
    m_layer.fill(Qt::transparent);
}

void LinkSurface::setPen(const QColor &colour, int width)
{
    m_colour = colour;
    m_width = width;
}

void LinkSurface::moveTo(QPoint point)
{
    m_position = point;
}

void LinkSurface::lineTo(QPoint point)
{
    QPainter painter(&m_layer);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.setPen(QPen(m_colour, m_width, Qt::SolidLine, m_width > 1 ? Qt::RoundCap : Qt::FlatCap));
    painter.drawLine(m_position, point);
    painter.end();
    const int margin = m_width + 1;
    update(QRect(m_position, point).normalized().adjusted(-margin, -margin, margin, margin));
    m_position = point;
}

void LinkSurface::watch(QWidget *control)
{
    control->installEventFilter(this);
}

bool LinkSurface::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Show || event->type() == QEvent::Hide) {
        const bool first = m_pending.isEmpty();
        m_pending += static_cast<QWidget *>(watched)->geometry();
        if (first)
            QMetaObject::invokeMethod(this, &LinkSurface::clearPending, Qt::QueuedConnection);
    }
    return false;
}

void LinkSurface::clearPending()
{
    QPainter painter(&m_layer);
    painter.setCompositionMode(QPainter::CompositionMode_Clear);
    for (const QRect &rect : m_pending)
        painter.fillRect(rect, Qt::transparent);
    painter.end();
    update(m_pending);
    m_pending = QRegion();
}

void LinkSurface::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    for (const QRect &rect : event->region())
        painter.drawImage(rect, m_layer, rect);
}

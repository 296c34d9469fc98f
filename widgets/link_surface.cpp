#include "link_surface.h"

#include "accessible_widgets.h"

#include <QEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QPen>

LinkSurface::LinkSurface(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setGeometry(parent->rect());
    // Lines on the window, not a control: screen readers never meet it.
    SetAccessibleDecoration(this);
}

void LinkSurface::coverForStroke(const QRect &stroke)
{
    const QRect needed = (m_layerRect | stroke) & rect();
    if (m_layerRect.contains(needed))
        return;
    QImage grown(needed.size(), QImage::Format_ARGB32_Premultiplied);
    grown.fill(Qt::transparent);
    if (!m_layer.isNull()) {
        QPainter painter(&grown);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(m_layerRect.topLeft() - needed.topLeft(), m_layer);
    }
    m_layer = grown;
    m_layerRect = needed;
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
    const int margin = m_width + 1;
    const QRect stroke = QRect(m_position, point).normalized().adjusted(-margin, -margin, margin, margin);
    coverForStroke(stroke);
    QPainter painter(&m_layer);
    painter.translate(-m_layerRect.topLeft());
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.setPen(QPen(m_colour, m_width, Qt::SolidLine, m_width > 1 ? Qt::RoundCap : Qt::FlatCap));
    painter.drawLine(m_position, point);
    painter.end();
    update(stroke);
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
        // The control's place in this surface, wherever the window has put both.
        m_pending += static_cast<QWidget *>(watched)->geometry().translated(-pos());
        if (first)
            QMetaObject::invokeMethod(this, &LinkSurface::clearPending, Qt::QueuedConnection);
    }
    return false;
}

void LinkSurface::clearPending()
{
    if (!m_layer.isNull()) {
        QPainter painter(&m_layer);
        painter.translate(-m_layerRect.topLeft());
        painter.setCompositionMode(QPainter::CompositionMode_Clear);
        for (const QRect &rect : m_pending)
            painter.fillRect(rect, Qt::transparent);
    }
    update(m_pending);
    m_pending = QRegion();
}

void LinkSurface::paintEvent(QPaintEvent *event)
{
    if (m_layer.isNull())
        return;
    QPainter painter(this);
    for (const QRect &rect : event->region()) {
        const QRect part = rect & m_layerRect;
        if (!part.isEmpty())
            painter.drawImage(part, m_layer, part.translated(-m_layerRect.topLeft()));
    }
}

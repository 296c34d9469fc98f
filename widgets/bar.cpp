#include "bar.h"

#include <QPainter>

Bar::Bar(QWidget *parent)
    : QWidget(parent)
{
}

void Bar::setFillColor(const QColor &colour)
{
    m_fill = colour;
    m_filled = true;
    update();
}

void Bar::paintEvent(QPaintEvent *)
{
    if (!m_filled)
        return;
    QPainter painter(this);
    painter.fillRect(0, 0, width() - 1, height() - 1, m_fill);
}

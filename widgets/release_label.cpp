#include "release_label.h"

#include <QMouseEvent>

ReleaseLabel::ReleaseLabel(QWidget *parent)
    : QLabel(parent)
{
    ReleaseRouter::install();
}

void ReleaseLabel::releaseAction(Qt::MouseButton button)
{
    emit released(button);
}

void ReleaseLabel::mousePressEvent(QMouseEvent *event)
{
    event->accept();
}

void ReleaseLabel::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
}

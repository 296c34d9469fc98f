#include "release_label.h"

#include "accessible_widgets.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

ReleaseLabel::ReleaseLabel(QWidget *parent)
    : QLabel(parent)
{
    // Tab reaches it; a click never gives it the focus.
    setFocusPolicy(Qt::TabFocus);
    ReleaseRouter::install();
    InstallAccessibleWidgets();
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

void ReleaseLabel::keyPressEvent(QKeyEvent *event)
{
    if (!pressKey(event))
        QLabel::keyPressEvent(event);
}

void ReleaseLabel::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (!hasFocus() || !window()->testAttribute(Qt::WA_KeyboardFocusChange))
        return;
    QPainter painter(this);
    painter.setPen(QPen(palette().color(foregroundRole()), 1, Qt::DotLine));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

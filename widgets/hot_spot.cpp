#include "hot_spot.h"

#include "accessible_widgets.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

HotSpot::HotSpot(QWidget *parent)
    : QWidget(parent)
{
    setCursor(Qt::PointingHandCursor);
    // Tab reaches it; a click never gives it the focus.
    setFocusPolicy(Qt::TabFocus);
    ReleaseRouter::install();
    InstallAccessibleWidgets();
}

void HotSpot::releaseAction(Qt::MouseButton button)
{
    emit released(button);
}

void HotSpot::setChosen(bool chosen)
{
    if (chosen == m_chosen)
        return;
    m_chosen = chosen;
    NotifyCheckedChange(this);
}

void HotSpot::mousePressEvent(QMouseEvent *event)
{
    // The press belongs to this hot spot until the button is released.
    event->accept();
}

void HotSpot::mouseReleaseEvent(QMouseEvent *event)
{
    // Handled by the router; accepting keeps the release from the window.
    event->accept();
}

void HotSpot::keyPressEvent(QKeyEvent *event)
{
    if (!pressKey(event))
        QWidget::keyPressEvent(event);
}

void HotSpot::focusInEvent(QFocusEvent *event)
{
    update();
    QWidget::focusInEvent(event);
}

void HotSpot::focusOutEvent(QFocusEvent *event)
{
    update();
    QWidget::focusOutEvent(event);
}

void HotSpot::paintEvent(QPaintEvent *)
{
    // Whatever lies beneath shows through; with the focus, a yellow frame
    // that stands out on the night sky. Only focus that the keyboard moved
    // shows: a button disabled under the mouse passes its focus on too.
    if (!hasFocus() || !window()->testAttribute(Qt::WA_KeyboardFocusChange))
        return;
    QPainter painter(this);
    painter.setPen(QColor(255, 255, 0));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

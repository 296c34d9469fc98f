#include "release_router.h"

#include "touch_input.h"
#include "window_of.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>
#include <algorithm>

bool ReleaseTarget::pressKey(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!event->isAutoRepeat())
            releaseAction(Qt::LeftButton);
        event->accept();
        return true;
    default:
        return false;
    }
}

void ReleaseRouter::install()
{
    static ReleaseRouter *router = nullptr;
    if (router)
        return;
    router = new ReleaseRouter(qApp);
    qApp->installEventFilter(router);
}

// The visible control nearest to the point among those it is within reach of.
QWidget *ReleaseRouter::withinReach(QWidget *top, QPoint position)
{
    QWidget *nearest = nullptr;
    qint64 nearestSquared = 0;
    for (QWidget *control : top->findChildren<QWidget *>()) {
        const auto *target = dynamic_cast<ReleaseTarget *>(control);
        if (!target || target->touchReach() <= 0 || !control->isVisible() || !control->isEnabled())
            continue;
        const QRect rect(control->mapTo(top, QPoint(0, 0)), control->size());
        const qint64 dx = std::max({rect.left() - position.x(), 0, position.x() - rect.right()});
        const qint64 dy = std::max({rect.top() - position.y(), 0, position.y() - rect.bottom()});
        const qint64 squared = dx * dx + dy * dy;
        const qint64 reach = target->touchReach();
        if (squared <= reach * reach && (!nearest || squared < nearestSquared)) {
            nearest = control;
            nearestSquared = squared;
        }
    }
    return nearest;
}

bool ReleaseRouter::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if ((type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease)
        || !watched->isWindowType())
        return false;
    QWidget *top = WidgetOfWindow(watched);
    if (!top)
        return false;
    const auto *mouse = static_cast<QMouseEvent *>(event);
    QWidget *under = top->childAt(mouse->position().toPoint());
    if (!under)
        under = top;
    if (type == QEvent::MouseButtonPress) {
        if (mouse->button() == Qt::LeftButton) {
            m_leftPressed = under;
            if (IsTouch(mouse) && !dynamic_cast<ReleaseTarget *>(under) && under->focusPolicy() == Qt::NoFocus)
                if (QWidget *near = withinReach(top, mouse->position().toPoint()))
                    m_leftPressed = near;
        }
        return false;
    }
    QWidget *control = under;
    if (mouse->button() == Qt::LeftButton) {
        control = m_leftPressed;
        m_leftPressed = nullptr;
    }
    auto *target = dynamic_cast<ReleaseTarget *>(control);
    if (target && control->isVisible() && control->isEnabled())
        target->releaseAction(mouse->button());
    return false;
}

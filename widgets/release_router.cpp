#include "release_router.h"

#include "window_of.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

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
        if (mouse->button() == Qt::LeftButton)
            m_leftPressed = under;
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

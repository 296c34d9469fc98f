#include "release_router.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

void ReleaseRouter::install()
{
    static ReleaseRouter *router = nullptr;
    if (router)
        return;
    router = new ReleaseRouter(qApp);
    qApp->installEventFilter(router);
}

bool ReleaseRouter::isRepeat(const QMouseEvent *event)
{
    // A release that nobody accepts travels up to the parents as copies with
    // the same time stamp; only its first delivery counts.
    const bool repeat = m_seenAny && event->timestamp() == m_lastTimestamp
                        && event->button() == m_lastButton;
    m_seenAny = true;
    m_lastTimestamp = event->timestamp();
    m_lastButton = event->button();
    return repeat;
}

QWidget *ReleaseRouter::controlUnderPointer(QWidget *receiver, const QMouseEvent *event)
{
    QWidget *window = receiver->window();
    const QPoint local = window->mapFromGlobal(event->globalPosition().toPoint());
    if (!window->rect().contains(local))
        return nullptr;
    QWidget *child = window->childAt(local);
    return child ? child : window;
}

bool ReleaseRouter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::MouseButtonRelease || !watched->isWidgetType())
        return false;
    auto *mouse = static_cast<QMouseEvent *>(event);
    if (isRepeat(mouse))
        return false;
    auto *receiver = static_cast<QWidget *>(watched);
    QWidget *control = mouse->button() == Qt::LeftButton ? receiver
                                                          : controlUnderPointer(receiver, mouse);
    auto *target = dynamic_cast<ReleaseTarget *>(control);
    if (target && control->isVisible() && control->isEnabled())
        target->releaseAction(mouse->button());
    return false;
}

#include "focus_ring.h"

#include "accessible_widgets.h"

#include <QEvent>
#include <QPainter>

FocusRing::FocusRing(QWidget *target)
    : QWidget(target->parentWidget())
    , m_target(target)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    SetAccessibleDecoration(this);
    hide();
    follow();
    target->installEventFilter(this);
}

void FocusRing::follow()
{
    setGeometry(m_target->geometry().adjusted(-Margin, -Margin, Margin, Margin));
    stackUnder(m_target);
    setVisible(m_target->isVisible() && m_target->hasFocus()
               && m_target->window()->testAttribute(Qt::WA_KeyboardFocusChange));
}

bool FocusRing::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::FocusIn:
    case QEvent::FocusOut:
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
        follow();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void FocusRing::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

#include "tooltip_policy.h"

#include "touch_input.h"
#include "window_of.h"

#include <QApplication>
#include <QMouseEvent>
#include <qdrawutil.h>
#include <QPalette>
#include <QProxyStyle>
#include <QStyleOption>
#include <QToolTip>
#include <QWidget>
#include <QWindow>

namespace {

// Tips drawn as the common style draws them, on the tooltip palette: the
// Windows styles draw their theme's white panel instead of the pale yellow.
class TipStyle : public QProxyStyle
{
public:
    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget) const override
    {
        if (element != PE_PanelTipLabel)
            return QProxyStyle::drawPrimitive(element, option, painter, widget);
        const QBrush base(option->palette.toolTipBase());
        qDrawPlainRect(painter, option->rect, option->palette.toolTipText().color(), 1, &base);
    }
};

// The control whose tooltip applies: the innermost one with text.
QWidget *tipOwner(QWidget *control)
{
    for (QWidget *w = control; w; w = w->isWindow() ? nullptr : w->parentWidget())
        if (!w->toolTip().isEmpty())
            return w;
    return nullptr;
}
// Pale yellow with black text, whatever the platform's theme says: Windows
// sets the tooltips' palette again from its own once windows exist.
QPalette TipPalette()
{
    QPalette palette = QToolTip::palette();
    palette.setColor(QPalette::ToolTipBase, QColor(255, 255, 225));
    palette.setColor(QPalette::ToolTipText, QColor(0, 0, 0));
    return palette;
}
} // namespace

TooltipPolicy::TooltipPolicy(QObject *parent)
    : QObject(parent)
{
    m_showTimer.setSingleShot(true);
    connect(&m_showTimer, &QTimer::timeout, this, &TooltipPolicy::showTip);
}

void TooltipPolicy::install()
{
    static TooltipPolicy *policy = nullptr;
    if (policy)
        return;
    policy = new TooltipPolicy(qApp);
    QToolTip::setPalette(TipPalette());
    // A tip comes up whole at its moment: no fading or scrolling in, which
    // Windows asks for and which moves its time.
    QApplication::setEffectEnabled(Qt::UI_FadeTooltip, false);
    QApplication::setEffectEnabled(Qt::UI_AnimateTooltip, false);
    qApp->installEventFilter(policy);
}

bool TooltipPolicy::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ToolTip:
        return true; // Qt's own timing never shows anything
    case QEvent::Show:
        // Qt's tip label, before it is first painted.
        if (watched->inherits("QTipLabel")) {
            static TipStyle *style = new TipStyle; // based on the application's style
            auto *tip = static_cast<QWidget *>(watched);
            if (tip->style() != style)
                tip->setStyle(style);
            tip->setPalette(TipPalette());
        }
        break;
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
        if (watched->isWindowType()) {
            if (QWidget *top = WidgetOfWindow(watched)) {
                const auto *mouse = static_cast<QMouseEvent *>(event);
                QWidget *under = top->childAt(mouse->position().toPoint());
                if (!under)
                    under = top;
                const QPoint global = mouse->globalPosition().toPoint();
                if (!IsTouch(mouse))
                    pointerOver(under, global);
                else if (event->type() == QEvent::MouseButtonPress)
                    touched(under, global);
                else if (event->type() == QEvent::MouseButtonRelease)
                    m_showTimer.stop(); // lifted before its tooltip came
                else
                    pointerOver(under, global);
            }
        }
        break;
    case QEvent::Leave:
        // The pointer left the window that holds the control: controls have no
        // native window of their own, so the leave arrives at their window.
        if (watched->isWindowType() && m_control && m_control->window()->windowHandle() == watched)
            pointerOver(nullptr, m_globalPosition);
        break;
    default:
        break;
    }
    return false;
}

void TooltipPolicy::pointerOver(QWidget *control, QPoint globalPosition)
{
    m_globalPosition = globalPosition;
    if (control == m_control)
        return;
    m_control = control;
    m_byTouch = false;
    m_shownForControl = false;
    m_showTimer.stop();
    const bool wasShowing = QToolTip::isVisible();
    if (wasShowing)
        QToolTip::hideText();
    if (control)
        m_showTimer.start(wasShowing ? ShortDelay : InitialDelay);
}

void TooltipPolicy::touched(QWidget *control, QPoint globalPosition)
{
    // As if the pointer had left whatever it was over and come in here.
    m_showTimer.stop();
    if (QToolTip::isVisible())
        QToolTip::hideText();
    m_control = control;
    m_globalPosition = globalPosition;
    m_shownForControl = false;
    m_byTouch = true;
    m_showTimer.start(InitialDelay);
}

void TooltipPolicy::showTip()
{
    if (!m_control || m_shownForControl || !m_control->isVisible())
        return;
    m_shownForControl = true;
    QWidget *owner = tipOwner(m_control);
    if (!owner)
        return;
    // The tip hides itself after the display time, or when the pointer leaves.
    QToolTip::showText(m_globalPosition, owner->toolTip(), owner, QRect(), DisplayTime);
    if (!m_byTouch)
        return;
    for (QWidget *tip : QApplication::topLevelWidgets())
        if (tip->objectName() == QLatin1String("qtooltip_label") && tip->isVisible())
            tip->move(tip->x(), m_globalPosition.y() - FingerDistance(AboveFinger) - tip->frameGeometry().height());
}

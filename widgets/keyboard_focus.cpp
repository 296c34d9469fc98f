#include "keyboard_focus.h"

#include <QApplication>
#include <QWidget>

namespace {
bool keyboardOnly(const QWidget *widget)
{
    return (widget->focusPolicy() & Qt::ClickFocus) == 0;
}

bool takesFocus(QWidget *window, QWidget *widget)
{
    return window->isAncestorOf(widget) && widget->isVisible() && widget->isEnabled()
        && (widget->focusPolicy() & Qt::TabFocus) && !keyboardOnly(widget);
}
} // namespace

bool HandOnFocusPastKeyboardOnly(QWidget *window, bool next)
{
    // The Tab key moves the focus from an enabled control; only a control
    // being disabled hands it on from a disabled one.
    QWidget *leaving = QApplication::focusWidget();
    if (!leaving || leaving->isEnabled() || !window->isAncestorOf(leaving))
        return false;
    for (QWidget *w = next ? leaving->nextInFocusChain() : leaving->previousInFocusChain(); w && w != leaving;
         w = next ? w->nextInFocusChain() : w->previousInFocusChain()) {
        if (takesFocus(window, w)) {
            w->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return false;
}

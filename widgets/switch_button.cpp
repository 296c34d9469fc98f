#include "switch_button.h"

#include "accessible_widgets.h"

#include <QAccessible>

SwitchButton::SwitchButton(QWidget *parent)
    : QPushButton(parent)
{
    InstallAccessibleWidgets();
}

void SwitchButton::setSwitchedOn(bool on)
{
    if (on == m_on)
        return;
    m_on = on;
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

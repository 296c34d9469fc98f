#include "switch_button.h"

#include "accessible_widgets.h"

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
    NotifyCheckedChange(this);
}

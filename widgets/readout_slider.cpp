#include "readout_slider.h"

#include "accessible_widgets.h"

#include <QAccessible>

ReadoutSlider::ReadoutSlider(QWidget *parent)
    : QSlider(parent)
{
    InstallAccessibleWidgets();
}

void ReadoutSlider::setReading(const QString &reading)
{
    if (reading == m_reading)
        return;
    m_reading = reading;
    // The reading is the slider's value text and, for readers that show no
    // value text, its description.
    QAccessibleValueChangeEvent value(this, this->value() + m_offset);
    QAccessible::updateAccessibility(&value);
    QAccessibleEvent description(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&description);
}

void ReadoutSlider::moveAsUser(int position)
{
    setSliderPosition(position);
    triggerAction(QAbstractSlider::SliderMove);
}

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
    // During a move the position is already the new one; the value follows
    // only once the move's notifications are done.
    QAccessibleValueChangeEvent value(this, sliderPosition() + m_offset);
    QAccessible::updateAccessibility(&value);
    QAccessibleEvent description(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&description);
}

void ReadoutSlider::moveAsUser(int position)
{
    // With tracking on, a new position is already one SliderMove action, as
    // a step of a drag is; a move to where it stands is one too, so that
    // every move runs the handler.
    const bool moves = qBound(minimum(), position, maximum()) != sliderPosition();
    setSliderPosition(position);
    if (!hasTracking() || !moves)
        triggerAction(QAbstractSlider::SliderMove);
}

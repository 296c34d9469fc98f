#include "accessible_widgets.h"

#include "bevel_panel.h"
#include "hot_spot.h"
#include "picture.h"
#include "readout_slider.h"
#include "release_label.h"
#include "switch_button.h"

#include <QAccessibleWidget>
#include <QDialog>
#include <QVariant>

namespace {

constexpr char DecorationProperty[] = "quelvaraDecoration";

// A control that can be pressed; the press action runs exactly what a click
// runs.
class AccessiblePressable : public QAccessibleWidget
{
public:
    using QAccessibleWidget::QAccessibleWidget;

    QStringList actionNames() const override
    {
        // Nothing hidden can be pressed, by any means.
        if (!widget()->isVisible() || !widget()->isEnabled())
            return {};
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString &action) override
    {
        if (action != pressAction())
            QAccessibleWidget::doAction(action);
        else if (widget()->isVisible() && widget()->isEnabled())
            press();
    }

protected:
    virtual void press() = 0;
};

// A control that is on or off.
class AccessibleSwitch : public AccessiblePressable
{
public:
    explicit AccessibleSwitch(QWidget *control)
        : AccessiblePressable(control, QAccessible::CheckBox)
    {
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = isOn();
        return s;
    }

protected:
    virtual bool isOn() const = 0;
};

class AccessibleHotSpot : public AccessibleSwitch
{
public:
    using AccessibleSwitch::AccessibleSwitch;

protected:
    HotSpot *spot() const { return static_cast<HotSpot *>(widget()); }
    bool isOn() const override { return spot()->chosen(); }
    void press() override { spot()->releaseAction(Qt::LeftButton); }
};

class AccessibleSwitchButton : public AccessibleSwitch
{
public:
    using AccessibleSwitch::AccessibleSwitch;

    QString text(QAccessible::Text t) const override
    {
        const QString own = AccessibleSwitch::text(t);
        return t == QAccessible::Name && own.isEmpty() ? button()->text() : own;
    }

protected:
    SwitchButton *button() const { return static_cast<SwitchButton *>(widget()); }
    bool isOn() const override { return button()->switchedOn(); }
    void press() override { button()->click(); }
};

// The value is the one the owner shows (position plus offset), and setting it
// moves the thumb as a pupil does, so that everything that follows a move
// follows this one too. Where Qt passes attributes on (6.8 and later), the
// reading with its unit is the value's text.
class AccessibleReadoutSlider : public QAccessibleWidget,
                                public QAccessibleValueInterface
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    ,
                                public QAccessibleAttributesInterface
#endif
{
public:
    explicit AccessibleReadoutSlider(ReadoutSlider *slider)
        : QAccessibleWidget(slider, QAccessible::Slider)
    {
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface *>(this);
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
        if (type == QAccessible::AttributesInterface)
            return static_cast<QAccessibleAttributesInterface *>(this);
#endif
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value || (t == QAccessible::Description && widget()->accessibleDescription().isEmpty()))
            return slider()->reading();
        return QAccessibleWidget::text(t);
    }

    QVariant currentValue() const override { return slider()->value() + offset(); }
    void setCurrentValue(const QVariant &value) override
    {
        if (slider()->isEnabled())
            slider()->moveAsUser(value.toInt() - offset());
    }
    QVariant maximumValue() const override { return slider()->maximum() + offset(); }
    QVariant minimumValue() const override { return slider()->minimum() + offset(); }
    QVariant minimumStepSize() const override { return slider()->singleStep(); }

#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QList<QAccessible::Attribute> attributeKeys() const override { return {QAccessible::Attribute::Custom}; }
    QVariant attributeValue(QAccessible::Attribute key) const override
    {
        if (key != QAccessible::Attribute::Custom)
            return {};
        return QVariant::fromValue(QHash<QString, QString>{{QStringLiteral("valuetext"), slider()->reading()}});
    }
#endif

private:
    ReadoutSlider *slider() const { return static_cast<ReadoutSlider *>(widget()); }
    int offset() const { return slider()->valueOffset(); }
};

// A label that acts when clicked: a button to a screen reader.
class AccessibleReleaseLabel : public AccessiblePressable
{
public:
    explicit AccessibleReleaseLabel(ReleaseLabel *label)
        : AccessiblePressable(label, QAccessible::Button)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        const QString own = AccessiblePressable::text(t);
        return t == QAccessible::Name && own.isEmpty() ? static_cast<QLabel *>(widget())->text() : own;
    }

protected:
    void press() override { static_cast<ReleaseLabel *>(widget())->releaseAction(Qt::LeftButton); }
};

// A window whose decorations are left out of its children.
class AccessibleWindow : public QAccessibleWidget
{
public:
    explicit AccessibleWindow(QWidget *window)
        : QAccessibleWidget(window, QAccessible::Window)
    {
    }

    int childCount() const override { return int(children().size()); }
    QAccessibleInterface *child(int index) const override
    {
        const QList<QWidget *> list = children();
        return index >= 0 && index < list.size() ? QAccessible::queryAccessibleInterface(list.at(index))
                                                 : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child ? int(children().indexOf(child->object())) : -1;
    }

private:
    QList<QWidget *> children() const
    {
        QList<QWidget *> list;
        for (QObject *object : widget()->children()) {
            auto *child = qobject_cast<QWidget *>(object);
            if (child && !child->isWindow() && !IsAccessibleDecoration(child))
                list << child;
        }
        return list;
    }
};

QAccessibleInterface *makeInterface(const QString &className, QObject *object)
{
    // Asked once for each class of the object, most derived first.
    if (className != QLatin1String(object->metaObject()->className()))
        return nullptr;
    if (auto *spot = qobject_cast<HotSpot *>(object))
        return new AccessibleHotSpot(spot);
    if (auto *button = qobject_cast<SwitchButton *>(object))
        return new AccessibleSwitchButton(button);
    if (auto *slider = qobject_cast<ReadoutSlider *>(object))
        return new AccessibleReadoutSlider(slider);
    if (auto *label = qobject_cast<ReleaseLabel *>(object))
        return new AccessibleReleaseLabel(label);
    if (object->inherits("AccessibleNotificationMark"))
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Notification);
    if (auto *picture = qobject_cast<Picture *>(object))
        return new QAccessibleWidget(picture, QAccessible::Graphic);
    if (auto *panel = qobject_cast<BevelPanel *>(object))
        return new QAccessibleWidget(panel, QAccessible::Pane);
    auto *widget = qobject_cast<QWidget *>(object);
    if (widget && widget->windowType() == Qt::Window && !qobject_cast<QDialog *>(widget))
        return new AccessibleWindow(widget);
    return nullptr;
}

} // namespace

void InstallAccessibleWidgets()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(makeInterface);
}

void NotifyCheckedChange(QWidget *control)
{
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(control, changed);
    QAccessible::updateAccessibility(&event);
}

void SetAccessibleDecoration(QWidget *widget)
{
    widget->setProperty(DecorationProperty, true);
}

bool IsAccessibleDecoration(const QWidget *widget)
{
    return widget->property(DecorationProperty).toBool();
}

#pragma once

#include <QPushButton>

// A push button that switches something on and off. It looks like any push
// button; only assistive technology learns whether what it switches is on.
class SwitchButton : public QPushButton
{
    Q_OBJECT

public:
    explicit SwitchButton(QWidget *parent = nullptr);

    bool switchedOn() const { return m_on; }
    void setSwitchedOn(bool on);

private:
    bool m_on = false;
};

#pragma once

#include <QWidget>

// A dotted frame just outside a control that the keyboard gave the focus,
// for a control whose own pixels must stay exact, such as a strip. It lies
// in the control's parent, beneath the control, on the parent's background,
// and lets every mouse event through; with the mouse alone it never shows.
class FocusRing : public QWidget
{
public:
    static constexpr int Margin = 2;

    explicit FocusRing(QWidget *target);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void follow();

    QWidget *m_target;
};

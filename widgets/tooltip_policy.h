#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QTimer>

class QWidget;

// The application's tooltip timing, in place of Qt's own: a tooltip comes up
// 500 ms after the pointer enters a control that has tooltip text, with the
// text of that moment, below the pointer; it goes after 2500 ms and does not
// come back until the pointer has left the control. Moving to another control
// while one shows brings the next after 50 ms. A finger held on a control
// shows its tooltip after the same delay, above the finger where it does not
// hide it; a touch never leaves a control, so every new touch reads anew.
class TooltipPolicy : public QObject
{
public:
    static constexpr int InitialDelay = 500;
    static constexpr int ShortDelay = 50;
    static constexpr int DisplayTime = 2500;
    // Between the finger's point and the bottom of a tooltip above it.
    static constexpr int AboveFinger = 24;

    static void install();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit TooltipPolicy(QObject *parent);
    void pointerOver(QWidget *control, QPoint globalPosition);
    void touched(QWidget *control, QPoint globalPosition);
    void showTip();

    QPointer<QWidget> m_control;
    QPoint m_globalPosition;
    QTimer m_showTimer;
    bool m_shownForControl = false;
    bool m_byTouch = false;
};

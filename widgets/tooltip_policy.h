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
// while one shows brings the next after 50 ms.
class TooltipPolicy : public QObject
{
public:
    static constexpr int InitialDelay = 500;
    static constexpr int ShortDelay = 50;
    static constexpr int DisplayTime = 2500;

    static void install();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit TooltipPolicy(QObject *parent);
    void pointerOver(QWidget *control, QPoint globalPosition);
    void showTip();

    QPointer<QWidget> m_control;
    QPoint m_globalPosition;
    QTimer m_showTimer;
    bool m_shownForControl = false;
};

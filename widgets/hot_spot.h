#pragma once

#include "release_router.h"
#include "touch_input.h"

#include <QWidget>

// An invisible rectangle with a hand cursor that reports mouse releases. The
// keyboard reaches it too: Space or Enter acts as a release, and while it has
// the keyboard focus it shows a focus rectangle, drawn on itself only.
class HotSpot : public QWidget, public ReleaseTarget
{
    Q_OBJECT

public:
    explicit HotSpot(QWidget *parent = nullptr);
    // About a fingertip's width: a target smaller than that is hard to touch.
    static constexpr int TouchReach = 24;

    void releaseAction(Qt::MouseButton button) override;
    int touchReach() const override { return FingerDistance(TouchReach); }

    // Whether what the hot spot stands for is chosen; told to assistive
    // technology, never shown.
    bool chosen() const { return m_chosen; }
    void setChosen(bool chosen);

signals:
    void released(Qt::MouseButton button);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_chosen = false;
};

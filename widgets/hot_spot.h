#pragma once

#include "release_router.h"

#include <QWidget>

// An invisible rectangle with a hand cursor that reports mouse releases.
class HotSpot : public QWidget, public ReleaseTarget
{
    Q_OBJECT

public:
    explicit HotSpot(QWidget *parent = nullptr);
    void releaseAction(Qt::MouseButton button) override;

signals:
    void released(Qt::MouseButton button);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
};

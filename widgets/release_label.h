#pragma once

#include "release_router.h"

#include <QLabel>

// A label that reports the release of any mouse button over it.
class ReleaseLabel : public QLabel, public ReleaseTarget
{
    Q_OBJECT

public:
    explicit ReleaseLabel(QWidget *parent = nullptr);
    void releaseAction(Qt::MouseButton button) override;

signals:
    void released(Qt::MouseButton button);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
};

#pragma once

#include "release_router.h"

#include <QLabel>

// A label that reports the release of any mouse button over it. The keyboard
// reaches it too: Space or Enter acts as a release, and while the keyboard
// has put the focus on it, a dotted frame surrounds its text.
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
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
};

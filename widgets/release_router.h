#pragma once

#include <QObject>
#include <QPointer>

class QKeyEvent;
class QWidget;

// A control that acts when a mouse button is released over it.
class ReleaseTarget
{
public:
    virtual ~ReleaseTarget() = default;
    virtual void releaseAction(Qt::MouseButton button) = 0;
    // How far around it a finger still reaches it, for a control too small
    // to touch; 0 for one that takes only what lands on it.
    virtual int touchReach() const { return 0; }

    // Space or Enter acts as a left release, once per press; true when the
    // key was one of them.
    bool pressKey(QKeyEvent *event);
};

// Decides which control a mouse release belongs to. A left press belongs to
// the control that took it, wherever the pointer is released; a right or
// middle release acts on the visible control under the pointer, whatever was
// pressed. A touch that lands on nothing that acts belongs to the nearest
// control whose reach it is within. It watches the events that reach the windows, once each, before
// they are handed to the controls. Installed once on the application.
class ReleaseRouter : public QObject
{
public:
    static void install();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    using QObject::QObject;
    static QWidget *withinReach(QWidget *top, QPoint position);

    QPointer<QWidget> m_leftPressed;
};

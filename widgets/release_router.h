#pragma once

#include <QObject>

class QMouseEvent;
class QWidget;

// A control that acts when a mouse button is released over it.
class ReleaseTarget
{
public:
    virtual ~ReleaseTarget() = default;
    virtual void releaseAction(Qt::MouseButton button) = 0;
};

// Decides which control a mouse release belongs to. A left press belongs to
// the control that took it, wherever the pointer is released; a right or
// middle release acts on the visible control under the pointer, whatever was
// pressed. Installed once on the application.
class ReleaseRouter : public QObject
{
public:
    static void install();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    using QObject::QObject;
    bool isRepeat(const QMouseEvent *event);
    static QWidget *controlUnderPointer(QWidget *receiver, const QMouseEvent *event);

    quint64 m_lastTimestamp = 0;
    Qt::MouseButton m_lastButton = Qt::NoButton;
    bool m_seenAny = false;
};

#pragma once

#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSize>

class QScreen;
class QWidget;

// A window of fixed size shown large on a projector or a whiteboard. F11
// switches it to full screen and back, and a window manager's own key is
// followed too. In full screen Qt scales the screen by the largest whole
// factor that holds the window's size, so text is drawn sharp and every
// pixel of a picture becomes a square block, and the content is centred on
// the window's background. Leaving gives back the scale, size and place.
class FullScreen : public QObject
{
public:
    explicit FullScreen(QWidget *window);

    void toggle();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void enter();
    void leave();
    void centre();

    QWidget *m_window;
    QSize m_design;
    QRect m_normal;
    QScreen *m_scaledScreen = nullptr;
    qreal m_ratioBefore = 1;
    QPoint m_offset;
};

#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRegion>
#include <QWidget>

// A transparent layer over the client area of its parent on which lines are
// drawn with a persistent pen. Strokes are never redrawn: when a watched
// control is shown or hidden, its rectangle is cleared of strokes once the
// current event handler has returned, as a repaint of that region would.
// Mouse events pass through.
class LinkSurface : public QWidget
{
    Q_OBJECT

public:
    explicit LinkSurface(QWidget *parent);

    void setPen(const QColor &colour, int width);
    void moveTo(QPoint point);
    void lineTo(QPoint point);

    void watch(QWidget *control);

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void clearPending();
    void coverForStroke(const QRect &stroke);

    // The strokes, over the part of the surface that has ever been drawn on.
    QImage m_layer;
    QRect m_layerRect;
    QColor m_colour = Qt::black;
    int m_width = 1;
    QPoint m_position;
    QRegion m_pending;
};

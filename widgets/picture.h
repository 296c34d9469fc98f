#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

// Shows a bitmap at its own size, or stretched to the control by pixel
// replication: control pixel (X, Y) shows the source pixel under its centre.
class Picture : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(bool stretched READ stretched WRITE setStretched)

public:
    explicit Picture(QWidget *parent = nullptr);

    bool stretched() const { return m_stretched; }
    void setStretched(bool stretched);

    // Shows a fixed picture, made the first time the control is shown, so
    // that hidden pictures cost nothing until then. Stretched pictures are
    // scaled once, when made.
    void setImage(std::function<QImage()> maker);
    // Shows a bitmap that its owner keeps drawing on; always 1:1.
    void setLiveImage(const QImage *image);

    static QImage stretchByCentreSampling(const QImage &source, QSize size);

signals:
    // Pointer moves over the picture (with mouse tracking on, without a button too).
    void mouseMoved(QPoint position);

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void rescale();
    void makePending();

    std::function<QImage()> m_maker;
    QImage m_source;
    QImage m_shown;
    const QImage *m_live = nullptr;
    bool m_stretched = false;
};

#pragma once

#include <QColor>
#include <QWidget>

// A filled rectangle without outline. It fills its rectangle less the last
// column and the last row; a bar that has never been given a fill is invisible.
class Bar : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QColor fillColor READ fillColor WRITE setFillColor)

public:
    explicit Bar(QWidget *parent = nullptr);

    bool filled() const { return m_filled; }
    QColor fillColor() const { return m_fill; }
    void setFillColor(const QColor &colour);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_fill;
    bool m_filled = false;
};

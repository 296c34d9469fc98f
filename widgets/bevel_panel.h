#pragma once

#include <QWidget>

// A panel framed by a lowered outer bevel and a raised inner bevel, each one
// pixel wide, on the window's own background.
class BevelPanel : public QWidget
{
    Q_OBJECT

public:
    explicit BevelPanel(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};

#pragma once

#include <QObject>
#include <QSize>

class QScreen;

// In a web page the lesson's screen is the box the page gives it. Where the
// page makes that box a whole number of times the lesson's size (a browser
// full screen on a projector), Qt scales the screen by that number, so the
// lesson fills it drawn sharp; where it is the lesson's size, at scale 1.
class PageScale : public QObject
{
public:
    PageScale(QScreen *screen, QSize design);

private:
    void fit();

    QScreen *m_screen;
    QSize m_design;
    int m_scale = 1;
};

#include "page_scale.h"

#include "screen_scale.h"
#include "touch_input.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>

PageScale::PageScale(QScreen *screen, QSize design)
    : QObject(screen)
    , m_screen(screen)
    , m_design(design)
{
    connect(screen, &QScreen::geometryChanged, this, &PageScale::fit);
    fit();
}

void PageScale::fit()
{
    const int scale = WholeScale(m_design, PlatformPixels(m_screen));
    if (scale == m_scale)
        return;
    m_scale = scale;
    SetScreenRatio(m_screen, scale * PlatformRatio(m_screen));
    // A finger is measured in the page's pixels.
    ShownMagnification() = scale;
    // The windows keep their places and sizes in the lesson's pixels; their
    // boxes in the page follow the new scale.
    for (QWidget *window : QApplication::topLevelWidgets())
        if (window->isVisible())
            window->setGeometry(window->geometry());
}

#include "full_screen.h"

#include "screen_scale.h"
#include "touch_input.h"

#include <QEvent>
#include <QKeySequence>
#include <QScreen>
#include <QShortcut>
#include <QWidget>
#include <QWindow>
#include <algorithm>

FullScreen::FullScreen(QWidget *window)
    : QObject(window)
    , m_window(window)
    , m_design(window->size())
{
    window->installEventFilter(this);
    new QShortcut(QKeySequence(Qt::Key_F11), window, window, [this] { toggle(); });
}

void FullScreen::toggle()
{
    m_window->setWindowState(m_window->windowState() ^ Qt::WindowFullScreen);
}

bool FullScreen::eventFilter(QObject *, QEvent *event)
{
    if (event->type() == QEvent::WindowStateChange) {
        // Whoever asked, F11 or the window manager.
        const bool full = m_window->isFullScreen();
        if (full && !m_scaledScreen)
            enter();
        else if (!full && m_scaledScreen)
            leave();
    } else if (event->type() == QEvent::Resize) {
        centre();
    }
    return false;
}

void FullScreen::enter()
{
    QScreen *screen = m_window->screen();
    if (!screen)
        return;
    m_normal = m_window->geometry();
    m_ratioBefore = screen->devicePixelRatio();
    m_scaledScreen = screen;
    const QSize devicePixels = (QSizeF(screen->geometry().size()) * m_ratioBefore).toSize();
    // The fixed size would keep the window at the design's size.
    m_window->setMinimumSize(0, 0);
    m_window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    const int scale = WholeScale(m_design, devicePixels);
    SetScreenRatio(screen, scale);
    ShownMagnification() = scale / m_ratioBefore;
    // Where no window manager lays out a full-screen window, cover the screen:
    // a shown window through its window, as the widget's own geometry would
    // end the full-screen state; one not shown yet, when it is.
    if (m_window->isVisible())
        m_window->windowHandle()->setGeometry(screen->geometry());
    else
        m_window->setGeometry(screen->geometry());
}

void FullScreen::leave()
{
    SetScreenRatio(m_scaledScreen, m_ratioBefore);
    ShownMagnification() = 1;
    m_scaledScreen = nullptr;
    m_window->setFixedSize(m_design);
    m_window->setGeometry(m_normal);
}

void FullScreen::centre()
{
    const QSize room = m_scaledScreen ? m_window->size() : m_design;
    const QPoint offset(std::max(0, (room.width() - m_design.width()) / 2),
                        std::max(0, (room.height() - m_design.height()) / 2));
    if (offset == m_offset)
        return;
    for (QWidget *child : m_window->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        if (!child->isWindow())
            child->move(child->pos() + offset - m_offset);
    m_offset = offset;
}

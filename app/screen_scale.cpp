#include "screen_scale.h"

#include <QScreen>
#include <QtGui/private/qhighdpiscaling_p.h>
#include <qpa/qplatformscreen.h>
#include <algorithm>

namespace {
// Qt multiplies each screen's own factor by the one given to the whole
// program, as it reads it at start.
qreal ProgramScaleFactor()
{
    bool ok = false;
    const qreal factor = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&ok);
    return ok && factor > 0 ? factor : 1;
}
} // namespace

qreal PlatformRatio(const QScreen *screen)
{
    return screen->handle() ? screen->handle()->devicePixelRatio() : 1;
}

void SetScreenRatio(QScreen *screen, qreal deviceRatio)
{
    QHighDpiScaling::setScreenFactor(screen, deviceRatio / PlatformRatio(screen) / ProgramScaleFactor());
}

int WholeScale(QSize design, QSize devicePixels)
{
    return std::max(1, std::min(devicePixels.width() / design.width(), devicePixels.height() / design.height()));
}

QSize PlatformPixels(const QScreen *screen)
{
    return (QSizeF(screen->geometry().size()) * (screen->devicePixelRatio() / PlatformRatio(screen))).toSize();
}

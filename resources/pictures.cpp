#include "pictures.h"

#include <QString>

static void initPictures()
{
    // The pictures live in a static library: register them before first use.
    static const bool done = [] {
        Q_INIT_RESOURCE(pictures);
        return true;
    }();
    (void)done;
}

namespace {
QImage load(const char *name)
{
    initPictures();
    return QImage(QStringLiteral(":/pictures/") + QLatin1String(name), "XPM");
}
} // namespace

QImage WindowIconImage() { return load("window_icon.xpm"); }
QImage ProgramIconImage() { return load("program_icon.xpm"); }
QImage AideGlyph() { return load("glyph_aide.xpm"); }
QImage OkGlyph() { return load("glyph_ok.xpm"); }

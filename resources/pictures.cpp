#include "pictures.h"

#include <QImageReader>
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
    // The format is known: without this, the reader loads every image plugin
    // of the system to ask whether it reads XPM before using its own reader.
    QImageReader reader(QStringLiteral(":/pictures/") + QLatin1String(name), "xpm");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}
} // namespace

QImage WindowIconImage() { return load("window_icon.xpm"); }
QImage ProgramIconImage() { return load("program_icon.xpm"); }
QImage AideGlyph() { return load("glyph_aide.xpm"); }
QImage OkGlyph() { return load("glyph_ok.xpm"); }

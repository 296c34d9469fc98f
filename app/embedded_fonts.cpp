#include "embedded_fonts.h"

#include <QFontDatabase>
#include <QString>

void LoadEmbeddedFonts()
{
    for (const char *file : {":/fonts/LiberationSans-Regular.ttf", ":/fonts/LiberationSans-Bold.ttf"})
        QFontDatabase::addApplicationFont(QString::fromLatin1(file));
}

#include "embedded_fonts.h"

#include <QFontDatabase>
#include <QString>

void LoadEmbeddedFonts()
{
    for (const char *file : {":/fonts/QuelvaraSans-Regular.ttf", ":/fonts/QuelvaraSans-Bold.ttf"})
        QFontDatabase::addApplicationFont(QString::fromLatin1(file));
}

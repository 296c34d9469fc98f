// Writes the program icon as files for the desktop: the 32 x 32 original and
// pixel-replicated enlargements, so that menus and stores show it crisp.
//
//   quelvara_export_icon FILE.png [SIZE]    a PNG, SIZE a multiple of 32
//   quelvara_export_icon FILE.ico           a Windows icon

#include "pictures.h"

#include <QImage>
#include <QImageWriter>
#include <QString>
#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE.png [SIZE] | FILE.ico\n", argv[0]);
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    const int size = argc > 2 ? QString::fromLatin1(argv[2]).toInt() : 32;
    const QImage icon = ProgramIconImage().convertToFormat(QImage::Format_ARGB32);
    if (icon.isNull() || size < 32 || size % 32 != 0) {
        std::fprintf(stderr, "%s: no icon, or a size that is not a multiple of 32\n", argv[0]);
        return 1;
    }
    // Pixel replication: no smoothing of the 16-colour art.
    const QImage scaled = icon.scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    QImageWriter writer(path);
    if (!writer.write(scaled)) {
        std::fprintf(stderr, "%s: %s\n", argv[0], qPrintable(writer.errorString()));
        return 1;
    }
    return 0;
}

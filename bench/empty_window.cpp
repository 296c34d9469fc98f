// The yardsticks of the start-up benchmark: an empty Qt window of the main
// window's size and colour, and nothing else; with the argument "label", the
// same window with one line of text; with "fonts", one line in each of the
// five fonts that the main window shows at start-up, and nothing else.

#include "pixel_fonts.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Fenêtre vide"));
    window.setFixedSize(959, 536);
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, QColor(128, 128, 128));
    window.setPalette(palette);
    window.setAutoFillBackground(true);
    const QByteArray mode = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    if (mode == "label") {
        auto *label = new QLabel(QStringLiteral("Fenêtre vide"), &window);
        label->move(16, 16);
    } else if (mode == "fonts") {
        QApplication::setFont(PixelFont(QStringLiteral("MS Sans Serif"), 11));
        const struct
        {
            const char *text;
            const char *family;
            int pixels;
            bool bold;
        } lines[] = {
            {"Principe de détermination de la composition d'une étoile", "Arial Black", 16, false},
            {"Hydrogène Titane Sodium Argon Calcium Mercure Lithium Fer", "MS Sans Serif", 11, false},
            {"379 nm", "MS Sans Serif", 13, true},
            {"A propos de .....", "MS Sans Serif", 19, false},
            {"AIDE", "MS Sans Serif", 24, false},
        };
        int top = 16;
        for (const auto &line : lines) {
            auto *label = new QLabel(QString::fromUtf8(line.text), &window);
            label->setFont(PixelFont(QLatin1String(line.family), line.pixels, line.bold));
            label->move(16, top);
            top += 40;
        }
    }
    const QRect area = window.screen()->geometry();
    window.move((area.width() - 959) / 2, (area.height() - 536) / 2);
    window.show();
    return application.exec();
}

// The yardstick of the start-up benchmark: an empty Qt window of the main
// window's size and colour, and nothing else.

#include <QApplication>
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
    const QRect area = window.screen()->geometry();
    window.move((area.width() - 959) / 2, (area.height() - 536) / 2);
    window.show();
    return application.exec();
}

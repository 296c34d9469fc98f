// The yardsticks of the start-up benchmark: an empty Qt window of the main
// window's size and colour, and nothing else; with the argument "label", the
// same window with one line of text, which is what text costs on its own.

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
    if (argc > 1 && QByteArray(argv[1]) == "label") {
        auto *label = new QLabel(QStringLiteral("Fenêtre vide"), &window);
        label->move(16, 16);
    }
    const QRect area = window.screen()->geometry();
    window.move((area.width() - 959) / 2, (area.height() - 536) / 2);
    window.show();
    return application.exec();
}

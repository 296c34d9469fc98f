#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"
#include "pictures.h"
#include "tooltip_policy.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <cstdio>
#include <cstdlib>

namespace {
// Without a display the toolkit gives up with a fatal message; say so in one
// line and leave quietly instead of aborting with a core dump.
void reportFatal(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "quelvara: impossible d'ouvrir l'affichage : %s\n",
                     qPrintable(message.section(QLatin1Char('\n'), 0, 0)));
        std::fflush(stderr);
        std::_Exit(2);
    }
    std::fprintf(stderr, "%s\n", qPrintable(message));
}
} // namespace

int main(int argc, char *argv[])
{
    const QtMessageHandler previous = qInstallMessageHandler(reportFatal);
    QApplication application(argc, argv);
    qInstallMessageHandler(previous);
    TooltipPolicy::install();
    QApplication::setWindowIcon(QIcon(QPixmap::fromImage(ProgramIconImage())));

    TForm1 Form1;
    Form1.show();
    TForm2 Form2;
    TAboutBox AboutBox;
    Form1.setHelpWindow(&Form2);
    Form1.setAboutBox(&AboutBox);
    return application.exec();
}

#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"
#include "font_configuration.h"
#ifdef QUELVARA_EMBEDDED_FONTS
#include "embedded_fonts.h"
#endif
#include "pictures.h"
#include "pixel_fonts.h"
#include "tooltip_policy.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>
#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {
// Messages of the toolkit while it starts, held back: without a display it
// gives up with several lines and an abort. Say so in French, then give the
// toolkit's own reason, one line each, and leave with an error code, without
// a core dump.
QStringList heldMessages;

void holdStartMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type != QtFatalMsg) {
        heldMessages << message;
        return;
    }
    QString text = QStringLiteral("quelvara : impossible d'ouvrir l'affichage graphique");
#if defined(Q_OS_UNIX) && !defined(Q_OS_WASM)
    const QString display = qEnvironmentVariable("DISPLAY");
    text += QStringLiteral(" (DISPLAY=%1)").arg(display.isEmpty() ? QStringLiteral("non défini") : display);
#endif
    heldMessages << message;
    for (const QString &held : std::as_const(heldMessages))
        text += QStringLiteral("\n  Qt : ") + held.section(QLatin1Char('\n'), 0, 0);
    std::fprintf(stderr, "%s\n", text.toUtf8().constData());
    std::fflush(stderr);
#ifdef Q_OS_WIN
    // A program started from the Start menu has no console to read.
    MessageBoxW(nullptr, reinterpret_cast<const wchar_t *>(text.utf16()), L"Quelvara", MB_OK | MB_ICONERROR);
#endif
    std::_Exit(2);
}
} // namespace

int main(int argc, char *argv[])
{
    FontConfigurationLoader fontConfiguration;
    const QtMessageHandler previous = qInstallMessageHandler(holdStartMessages);
    // The application keeps the command line and reads it for as long as it
    // lives: in a web page, longer than main() and its stack.
    static std::vector<std::string> words(argv, argv + argc);
    static std::vector<char *> arguments;
    for (std::string &word : words)
        arguments.push_back(word.data());
    arguments.push_back(nullptr);
    static int argumentCount = argc;
    auto application = std::make_unique<QApplication>(argumentCount, arguments.data());
    qInstallMessageHandler(previous);
    fontConfiguration.wait();
    for (const QString &message : std::as_const(heldMessages))
        qWarning().noquote() << message;
    heldMessages.clear();
#ifdef QUELVARA_EMBEDDED_FONTS
    LoadEmbeddedFonts();
#endif
    // The windows' own font for everything, tooltips included: no other font
    // is loaded only to be replaced.
    QApplication::setFont(PixelFont(QStringLiteral("MS Sans Serif"), 11));
    TooltipPolicy::install();
    QApplication::setWindowIcon(QIcon(QPixmap::fromImage(ProgramIconImage())));

    auto Form1 = std::make_unique<TForm1>();
    Form1->show();
    auto Form2 = std::make_unique<TForm2>();
    auto AboutBox = std::make_unique<TAboutBox>();
#ifdef Q_OS_WASM
    // In a web page every plain window opens full-screen, over the lesson;
    // a dialog keeps its own size and opens in front of it.
    Form2->setWindowFlags(Form2->windowFlags() | Qt::Dialog);
#endif
    Form1->setHelpWindow(Form2.get());
    Form1->setAboutBox(AboutBox.get());
#ifdef Q_OS_WASM
    // In a web page the browser runs the event loop: exec() hands control
    // back to it for good, and main() ends while the lesson goes on. The
    // lesson is let go of here, to live as long as the page.
    static_cast<void>(AboutBox.release());
    static_cast<void>(Form2.release());
    static_cast<void>(Form1.release());
    static_cast<void>(application.release());
#endif
    return QApplication::exec();
}

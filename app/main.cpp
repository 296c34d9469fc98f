#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"
#include "font_configuration.h"
#ifndef Q_OS_WASM
#include "full_screen.h"
#else
#include "page_scale.h"
#endif
#ifdef QUELVARA_EMBEDDED_FONTS
#include "embedded_fonts.h"
#endif
#include "pictures.h"
#include "pixel_fonts.h"
#include "tooltip_policy.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QTimer>
#ifdef Q_OS_WASM
#include <emscripten/html5.h>
#endif
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <utility>
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

void SetProgramIcon()
{
    QApplication::setWindowIcon(QIcon(QPixmap::fromImage(ProgramIconImage())));
}

// The help window and the About box, made after the lesson and known to it.
struct SecondaryWindows
{
    std::unique_ptr<TForm2> help;
    std::unique_ptr<TAboutBox> about;

    TForm2 *helpWindow()
    {
        if (!help) {
            help = std::make_unique<TForm2>();
#ifdef Q_OS_WASM
            // In a web page every plain window opens full-screen, over the
            // lesson; a dialog keeps its own size and opens in front of it.
            help->setWindowFlags(help->windowFlags() | Qt::Dialog);
#endif
        }
        return help.get();
    }
    TAboutBox *aboutBox()
    {
        if (!about)
            about = std::make_unique<TAboutBox>();
        return about.get();
    }
};

#ifdef Q_OS_WASM
// Runs work once, in a task of its own after the browser has drawn the frame
// that holds the widget's first paint, so that the pupil sees that frame first.
void AfterFirstFrame(QWidget *widget, std::function<void()> work)
{
    class Watcher : public QObject
    {
    public:
        Watcher(QWidget *widget, std::function<void()> work) : QObject(widget), m_work(std::move(work)) {}
        bool eventFilter(QObject *, QEvent *event) override
        {
            if (event->type() == QEvent::Paint && m_work) {
                // The browser draws the page after every callback of a frame,
                // this one and the one that puts the paint on the canvas, and
                // only then runs a task queued from here.
                emscripten_request_animation_frame(
                    [](double, void *data) -> EM_BOOL {
                        QTimer::singleShot(0, qApp, [data] {
                            const std::unique_ptr<std::function<void()>> work(static_cast<std::function<void()> *>(data));
                            (*work)();
                        });
                        return EM_FALSE;
                    },
                    new std::function<void()>(std::exchange(m_work, nullptr)));
                deleteLater();
            }
            return false;
        }

    private:
        std::function<void()> m_work;
    };
    widget->installEventFilter(new Watcher(widget, std::move(work)));
}
#endif
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
#ifdef Q_OS_WASM
    // The page's elements for screen readers from the start, and not behind
    // Qt's hidden button labelled in English.
    qputenv("QT_WASM_ENABLE_ACCESSIBILITY", "1");
#endif
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
#ifndef Q_OS_WASM
    SetProgramIcon();
    auto Form1 = std::make_unique<TForm1>();
    new FullScreen(Form1.get());
    if (QApplication::arguments().contains(QStringLiteral("--fullscreen")))
        Form1->showFullScreen();
    else
        Form1->show();
    SecondaryWindows secondary;
    Form1->setHelpWindow(secondary.helpWindow());
    Form1->setAboutBox(secondary.aboutBox());
#else
    // In a web page the browser runs the event loop: exec() hands control
    // back to it for good, and main() ends while the lesson goes on, which
    // lives as long as the page. Nothing is on screen before main() has
    // returned, so what the pupil opens later comes after the first frame.
    // The lesson's screen at the page's scale before the lesson is laid out on it.
    new PageScale(QGuiApplication::primaryScreen(), TForm1::DesignSize);
    // They are made after the first frame, or at once if the pupil asks for
    // one sooner: no press is ever lost.
    auto *Form1 = new TForm1;
    auto *secondary = new SecondaryWindows;
    Form1->setHelpWindow([secondary]() -> QWidget * { return secondary->helpWindow(); });
    Form1->setAboutBox([secondary]() -> QWidget * { return secondary->aboutBox(); });
    Form1->show();
    AfterFirstFrame(Form1, [secondary] {
        SetProgramIcon();
        secondary->helpWindow();
        secondary->aboutBox();
    });
    static_cast<void>(application.release());
#endif
    return QApplication::exec();
}

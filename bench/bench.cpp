// Measures, on one machine in one run:
//  - start-up of the real program, from process start until the main window
//    is on the screen and painted, against an empty Qt window of the same size;
//  - the peak memory of both at that moment;
//  - the latency of a star click until the window has repainted;
//  - PaintContinuum alone.
// Start-up runs on a private X server; the rest in this process.

#include "Unit1.h"
#include "spectrum_strips.h"
#include "strip.h"
#include "x_session.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>
#include <QThread>
#include <algorithm>
#include <random>
#include <cstdio>
#include <vector>

namespace {

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Peak resident memory of a running process, in KiB.
double peakKiB(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble();
    return 0;
}

struct StartUp
{
    double ms;
    double kib;
};

// Starts the program, waits until its window shows the pixel that says it is
// painted, reads its peak memory, then closes it.
bool startOnce(const XServer &server, const XClient &x, const QString &program,
               const QStringList &arguments, const QString &title, QPoint probe, QRgb painted,
               StartUp *result)
{
    QProcess process;
    DieWithParent(process);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.insert(QStringLiteral("DISPLAY"), server.display());
    process.setProcessEnvironment(env);
    QElapsedTimer clock;
    clock.start();
    process.start(program, arguments);
    unsigned long window = 0;
    const bool shown = waitUntil([&] {
        if (!window)
            window = x.findWindow(title);
        if (!window)
            return false;
        return (x.pixel(x.geometry(window).topLeft() + probe) & 0xffffffu) == (painted & 0xffffffu);
    }, 20000, 1);
    result->ms = clock.nsecsElapsed() / 1e6;
    result->kib = peakKiB(process.processId());
    if (window)
        x.closeWindow(window);
    process.waitForFinished(5000);
    return shown;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int runs = argc > 1 ? QString::fromLatin1(argv[1]).toInt() : 15;

    XServer server;
    QString error;
    XClient x;
    if (!server.start(&error) || !x.open(server.display())) {
        std::fprintf(stderr, "no X server for the start-up benchmark: %s\n", qPrintable(error));
        return 1;
    }
    const QString empty = QStringLiteral(EMPTY_WINDOW_EXECUTABLE);
    const QString emptyTitle = QStringLiteral("Fenêtre vide");
    struct Contender
    {
        QString program;
        QStringList arguments;
        QString title;
        QPoint probe;
        QRgb painted;
        std::vector<double> ms, kib;
    };
    Contender contenders[] = {
        {QStringLiteral(QUELVARA_EXECUTABLE), {}, QStringLiteral("Quelvara"), QPoint(16, 408), qRgb(99, 2, 255), {}, {}},
        {empty, {}, emptyTitle, QPoint(480, 268), qRgb(128, 128, 128), {}, {}},
        {empty, {QStringLiteral("label")}, emptyTitle, QPoint(480, 268), qRgb(128, 128, 128), {}, {}},
        {empty, {QStringLiteral("fonts")}, emptyTitle, QPoint(480, 268), qRgb(128, 128, 128), {}, {}},
    };
    Contender &program = contenders[0], &emptyWindow = contenders[1], &label = contenders[2],
              &fonts = contenders[3];
    // Take turns in a new order every round, so that all see the same machine
    // and none always follows the same one; the first round only warms up.
    std::mt19937 shuffle(20261208);
    for (int run = -1; run < runs; ++run) {
        std::vector<Contender *> order;
        for (Contender &contender : contenders)
            order.push_back(&contender);
        std::shuffle(order.begin(), order.end(), shuffle);
        for (Contender *contender : order) {
            StartUp result{};
            if (!startOnce(server, x, contender->program, contender->arguments, contender->title,
                           contender->probe, contender->painted, &result)) {
                std::fprintf(stderr, "a window never showed\n");
                return 1;
            }
            if (run >= 0) {
                contender->ms.push_back(result.ms);
                contender->kib.push_back(result.kib);
            }
        }
    }

    // Star clicks, in this process: a click on Vega until the window has painted.
    TForm1 form;
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return 1;
    QWidget *continuum = form.findChild<QWidget *>(QStringLiteral("Image1"));
    struct PaintSpy : QObject
    {
        bool painted = false;
        bool eventFilter(QObject *, QEvent *event) override
        {
            if (event->type() == QEvent::Paint)
                painted = true;
            return false;
        }
    } spy;
    continuum->installEventFilter(&spy);
    std::vector<double> clickMs;
    const QPoint vega(611, 84);
    QTest::mouseMove(form.windowHandle(), vega);
    for (int i = 0; i < 400; ++i) {
        spy.painted = false;
        QElapsedTimer clock;
        clock.start();
        QTest::mousePress(form.windowHandle(), Qt::LeftButton, {}, vega);
        QTest::mouseRelease(form.windowHandle(), Qt::LeftButton, {}, vega);
        while (!spy.painted)
            QCoreApplication::processEvents();
        clickMs.push_back(clock.nsecsElapsed() / 1e6);
    }

    Strip strip(ContinuumWidth, StripHeight);
    std::vector<double> paintUs;
    for (int i = 0; i < 2000; ++i) {
        QElapsedTimer clock;
        clock.start();
        PaintContinuum(strip);
        paintUs.push_back(clock.nsecsElapsed() / 1e3);
    }

    const std::vector<double> &programMs = program.ms, &emptyMs = emptyWindow.ms, &labelMs = label.ms,
                              &fontsMs = fonts.ms;
    // The yardstick is the window that shows the program's five fonts, one
    // line each: text costs what it costs before a single control is built.
    const double startRatio = median(programMs) / median(fontsMs);
    const double extraMiB = (median(program.kib) - median(emptyWindow.kib)) / 1024;
    std::printf("Medians over %d start-ups each, 400 clicks, 2000 paints:\n", runs);
    std::printf("  start-up, Quelvara        %8.1f ms\n", median(programMs));
    std::printf("  start-up, window and fonts%8.1f ms   (its five fonts, one line each)\n", median(fontsMs));
    std::printf("  ratio                     %8.2f      (target 1.15 at most)  %s\n", startRatio,
                startRatio <= 1.15 ? "met" : "missed");
    std::printf("  start-up, empty window    %8.1f ms   (Quelvara: ratio %.2f)\n", median(emptyMs),
                median(programMs) / median(emptyMs));
    std::printf("  start-up, window and label%8.1f ms   (one line of text: ratio %.2f to the empty window)\n",
                median(labelMs), median(labelMs) / median(emptyMs));
    std::printf("  peak memory, Quelvara     %8.1f MiB\n", median(program.kib) / 1024);
    std::printf("  peak memory, empty window %8.1f MiB\n", median(emptyWindow.kib) / 1024);
    std::printf("  difference                %8.1f MiB  (target 12 MiB at most)  %s\n", extraMiB,
                extraMiB <= 12 ? "met" : "missed");
    std::printf("  star click to repaint     %8.3f ms   (target under 2 ms)  %s\n", median(clickMs),
                median(clickMs) < 2 ? "met" : "missed");
    std::printf("  PaintContinuum            %8.1f us\n", median(paintUs));
    return 0;
}

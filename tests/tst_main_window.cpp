// The main window just after start-up: frame, controls, strips and state.

#include "test_support.h"

#include "bar.h"
#include "colour_ramp.h"
#include "spectrum_strips.h"

#include <QAbstractButton>
#include <QLabel>
#include <QSlider>
#include <QTest>

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_shown = std::make_unique<ShownForm>(); }
    void cleanup() { m_shown.reset(); }

    void frame();
    void controls_data();
    void controls();
    void buttonsAndSliderLieAboveEverything();
    void lessonStateAtStart();
    void continuumAtStart();
    void referenceStripAtStart();
    void barsAtStart();
    void textsAtStart();
    void tabWalksTheButtonsAndTheSlider_data();
    void tabWalksTheButtonsAndTheSlider();
    void closingTheWindowEndsTheLoop();

private:
    std::unique_ptr<ShownForm> m_shown;
};

void TestMainWindow::frame()
{
    TForm1 *form = m_shown->form.get();
    QCOMPARE(form->windowTitle(), QStringLiteral("Quelvara"));
    QCOMPARE(form->size(), QSize(959, 536));
    QCOMPARE(form->minimumSize(), QSize(959, 536));
    QCOMPARE(form->maximumSize(), QSize(959, 536));
    const Qt::WindowFlags flags = form->windowFlags();
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(!form->windowIcon().isNull());
    const QRect screen = form->screen()->geometry();
    QCOMPARE(form->x(), screen.x() + (screen.width() - 959) / 2);
    QCOMPARE(form->y(), screen.y() + (screen.height() - 536) / 2);
    // The client area is grey where no control lies.
    const QImage shot = m_shown->grab();
    COMPARE_RGB(shot.pixel(470, 30), rgb(128, 128, 128));
    COMPARE_RGB(shot.pixel(958, 535), rgb(128, 128, 128));
}

void TestMainWindow::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<QString>("toolTip");
    const auto row = [](const char *name, QRect rect, bool visible, const char *tip = "") {
        QTest::newRow(name) << QString::fromLatin1(name) << rect << visible << QString::fromUtf8(tip);
    };
    row("Label7", {16, 8, 401, 65}, true);
    row("BitBtn1", {16, 88, 113, 33}, true);
    row("BitBtn4", {160, 88, 113, 33}, true);
    row("BitBtn2", {304, 88, 113, 33}, true);
    row("Shape2", {16, 120, 113, 9}, true);
    row("Shape8", {160, 120, 113, 9}, true);
    row("Shape4", {304, 120, 113, 9}, true);
    row("Button4", {80, 136, 113, 33}, true);
    row("Button5", {232, 136, 113, 33}, true);
    row("Shape7", {80, 168, 113, 9}, true);
    row("Shape12", {232, 168, 113, 9}, true);
    row("Button3", {16, 192, 113, 33}, true);
    row("Button1", {160, 192, 113, 33}, true);
    row("Button2", {304, 192, 113, 33}, true);
    row("Shape6", {16, 224, 113, 9}, true);
    row("Shape3", {160, 224, 113, 9}, true);
    row("Shape5", {304, 224, 113, 9}, true);
    row("Image3", {16, 288, 401, 73}, true);
    row("TrackBar1", {4, 360, 427, 33}, true);
    row("Label1", {376, 392, 49, 16}, true);
    row("Image1", {16, 408, 400, 73}, true);
    row("Label3", {16, 512, 32, 13}, true);
    row("Image2", {544, 16, 409, 329}, true, "Clique sur l'une des deux étoiles les plus brillantes");
    row("Image6", {544, 16, 409, 329}, false);
    row("Image4", {544, 16, 409, 329}, false);
    row("Image5", {544, 16, 409, 329}, false);
    row("Label4", {592, 32, 28, 13}, false);
    row("Label5", {760, 168, 37, 13}, false);
    row("Label6", {832, 200, 38, 13}, false);
    row("Shape10", {608, 80, 14, 9}, true, "Vega");
    row("shape9", {733, 256, 20, 17}, true, "Deneb");
    row("Shape1", {662, 160, 15, 15}, false, "Pollux");
    row("Shape11", {872, 320, 17, 17}, false, "Betelgeuse");
    row("BitBtn3", {688, 408, 177, 33}, true);
    row("BitBtn6", {704, 448, 145, 33}, true);
    row("BitBtn5", {544, 488, 113, 41}, true);
    row("Label2", {808, 496, 134, 24}, true);
}

void TestMainWindow::controls()
{
    QFETCH(QString, name);
    QFETCH(QRect, rect);
    QFETCH(bool, visible);
    QFETCH(QString, toolTip);
    QWidget *widget = m_shown->control(qPrintable(name));
    QCOMPARE(widget->geometry(), rect);
    QCOMPARE(widget->isVisible(), visible);
    if (!toolTip.isEmpty() || name.startsWith(QLatin1String("Image")))
        QCOMPARE(widget->toolTip(), toolTip);
}

void TestMainWindow::buttonsAndSliderLieAboveEverything()
{
    // Sibling order is stacking order: buttons and the slider come last,
    // the sky pictures first, beneath the hot spots and labels.
    const QObjectList children = m_shown->form->children();
    const auto index = [&](const char *name) { return children.indexOf(m_shown->control(name)); };
    int lowestButton = children.size();
    for (const char *name : {"BitBtn1", "BitBtn2", "BitBtn3", "BitBtn4", "BitBtn5", "BitBtn6",
                             "Button1", "Button2", "Button3", "Button4", "Button5", "TrackBar1"})
        lowestButton = std::min(lowestButton, int(index(name)));
    for (const char *name : {"Image1", "Image3", "Label1", "Label7", "Shape2", "Shape10", "shape9",
                             "Label4", "Image2"})
        QVERIFY2(index(name) < lowestButton, name);
    QVERIFY(children.indexOf(m_shown->form->surface()) < lowestButton);
    for (const char *picture : {"Image2", "Image4", "Image5", "Image6"})
        for (const char *above : {"Shape10", "shape9", "Shape1", "Shape11", "Label4", "Label5", "Label6"})
            QVERIFY(index(picture) < index(above));
    QCOMPARE(index("Image4"), 0);
}

void TestMainWindow::lessonStateAtStart()
{
    const LessonState &state = m_shown->form->state();
    for (const bool shown : state.ElementShown)
        QVERIFY(!shown);
    for (const bool selected : state.StarSelected)
        QVERIFY(!selected);
    QVERIFY(state.SkyViewOneCurrent);
    QVERIFY(!state.SkyViewTwoCurrent);
    QVERIFY(m_shown->control("BitBtn6")->isEnabled());
}

void TestMainWindow::continuumAtStart()
{
    const QImage shot = m_shown->grab();
    for (int x = 0; x < ContinuumWidth; ++x)
        for (const int y : {0, 36, 72})
            COMPARE_RGB(shot.pixel(16 + x, 408 + y), *SpectrumColour(ContinuumLastStepOfColumn(x)));
    COMPARE_RGB(shot.pixel(16, 408), rgb(99, 2, 255));
    COMPARE_RGB(shot.pixel(16 + 399, 408 + 72), rgb(128, 0, 84));
    COMPARE_RGB(m_shown->form->continuum().pen(), rgb(127, 0, 85));
}

void TestMainWindow::referenceStripAtStart()
{
    const QImage shot = m_shown->grab();
    for (int x = 0; x < ReferenceWidth; ++x)
        for (const int y : {0, 40, 72})
            COMPARE_RGB(shot.pixel(16 + x, 288 + y), rgb(0, 0, 0));
}

void TestMainWindow::barsAtStart()
{
    const QImage shot = m_shown->grab();
    for (const char *name : {"Shape2", "Shape3", "Shape4", "Shape12"}) {
        QVERIFY2(m_shown->control<Bar>(name)->filled(), name);
        COMPARE_RGB(m_shown->control<Bar>(name)->fillColor().rgb(), rgb(128, 128, 128));
    }
    for (const char *name : {"Shape5", "Shape6", "Shape7", "Shape8"})
        QVERIFY2(!m_shown->control<Bar>(name)->filled(), name);
    // An unfilled bar shows the window's grey under it.
    COMPARE_RGB(shot.pixel(310, 228), rgb(128, 128, 128));
}

void TestMainWindow::textsAtStart()
{
    QCOMPARE(m_shown->control<QLabel>("Label1")->text(), QStringLiteral("379 nm"));
    QCOMPARE(m_shown->control<QLabel>("Label3")->text(), QStringLiteral("Label3"));
    QCOMPARE(m_shown->control<QLabel>("Label7")->text(),
             QStringLiteral("Principe de détermination de la composition d'une étoile"));
    QCOMPARE(m_shown->control<QLabel>("Label2")->text(), QStringLiteral("A propos de ....."));
    QCOMPARE(m_shown->control<QLabel>("Label4")->text(), QStringLiteral("LYRE"));
    QCOMPARE(m_shown->control<QLabel>("Label5")->text(), QStringLiteral("CYGNE"));
    QCOMPARE(m_shown->control<QLabel>("Label6")->text(), QStringLiteral("GEMINI"));
    QCOMPARE(m_shown->control<QLabel>("Label7")->font().pixelSize(), 16);
    QCOMPARE(m_shown->control<QLabel>("Label1")->font().pixelSize(), 13);
    QVERIFY(m_shown->control<QLabel>("Label1")->font().bold());
    QCOMPARE(m_shown->control<QLabel>("Label2")->font().pixelSize(), 19);
    QCOMPARE(m_shown->control("BitBtn5")->font().pixelSize(), 24);
    QCOMPARE(m_shown->control("BitBtn1")->font().pixelSize(), 11);
    const auto *slider = m_shown->control<QSlider>("TrackBar1");
    QCOMPARE(slider->minimum(), 400);
    QCOMPARE(slider->maximum(), 800);
    QCOMPARE(slider->value(), 400);
    QCOMPARE(slider->tickPosition(), QSlider::NoTicks);
    QVERIFY(slider->toolTip().isEmpty());
    const QImage shot = m_shown->grab();
    COMPARE_RGB(shot.pixel(18, 70), rgb(128, 128, 0)); // Label7's olive background
}

void TestMainWindow::tabWalksTheButtonsAndTheSlider_data()
{
    QTest::addColumn<bool>("secondView");
    QTest::addColumn<QStringList>("stars");
    QTest::newRow("view 1") << false << QStringList{"Shape10", "shape9"};      // Vega, Deneb
    QTest::newRow("view 2") << true << QStringList{"Shape1", "Shape11"};       // Pollux, Betelgeuse
}

void TestMainWindow::tabWalksTheButtonsAndTheSlider()
{
    // The twelve stops of the buttons and the slider, then the current view's
    // stars in reading order, the two strips and the label that opens the
    // About box. The first button has the focus from the start.
    QFETCH(bool, secondView);
    QFETCH(QStringList, stars);
    const QStringList order = QStringList{"BitBtn1", "Button1", "BitBtn2", "BitBtn3", "Button2", "Button3",
                                          "TrackBar1", "Button4", "BitBtn4", "BitBtn5", "Button5", "BitBtn6"}
                              + stars + QStringList{"Image3", "Image1", "Label2"};
    m_shown->form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_shown->form.get()));
    QCOMPARE(QApplication::focusWidget(), m_shown->control("BitBtn1"));
    if (secondView)
        m_shown->clickControl("BitBtn3");
    m_shown->control(qPrintable(order.first()))->setFocus(Qt::OtherFocusReason);
    for (int step = 0; step < 2 * order.size(); ++step) {
        QWidget *focus = QApplication::focusWidget();
        QVERIFY(focus);
        QCOMPARE(focus->objectName(), order.at(step % order.size()));
        QTest::keyClick(focus, Qt::Key_Tab);
    }
}

void TestMainWindow::closingTheWindowEndsTheLoop()
{
    QTimer::singleShot(0, m_shown->form.get(), [this] { m_shown->form->close(); });
    QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(1); });
    QCOMPARE(QApplication::exec(), 0);
}

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"

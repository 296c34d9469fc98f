// Measuring aids and clock: the slider readout, the wavelength tooltip on the
// reference strip, the tooltip timing and the clock's text.

#include "test_support.h"

#include "tooltip_policy.h"
#include "touch_input.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QLocale>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QScopeGuard>
#include <QTest>
#include <QTime>
#include <QToolTip>

class TestMeasuring : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TooltipPolicy::install(); }
    void init() { m_shown = std::make_unique<ShownForm>(); }
    void cleanup()
    {
        QToolTip::hideText();
        m_shown.reset();
    }

    void sliderKeys_data();
    void sliderKeys();
    void sliderTooltipIsTheBareNumber();
    void keyAtTheEndStillReports();
    void settingThePositionFromCodeCallsNothing();
    void draggingTheThumb_data();
    void draggingTheThumb();
    void stripTooltipText_data();
    void stripTooltipText();
    void tooltipTiming();
    void tooltipKeepsItsText();
    void nextControlAfterAShortPause();
    void emptyTooltipShowsNothing();
    void tooltipByTouch();
    void clockText_data();
    void clockText();
    void clockTicks();

private:
    QSlider *slider() const { return m_shown->control<QSlider>("TrackBar1"); }
    QString label1() const { return m_shown->control<QLabel>("Label1")->text(); }
    std::unique_ptr<ShownForm> m_shown;
};

void TestMeasuring::sliderKeys_data()
{
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<QString>("reading");
    QTest::newRow("right arrow: 1 nm") << QList<int>{Qt::Key_Right} << QStringLiteral("380 nm");
    QTest::newRow("page up: 2 nm") << QList<int>{Qt::Key_PageUp} << QStringLiteral("381 nm");
    QTest::newRow("two pages and an arrow") << QList<int>{Qt::Key_PageUp, Qt::Key_PageUp, Qt::Key_Right}
                                            << QStringLiteral("384 nm");
    QTest::newRow("right end") << QList<int>{Qt::Key_End} << QStringLiteral("779 nm");
    QTest::newRow("right end and back one") << QList<int>{Qt::Key_End, Qt::Key_Left}
                                            << QStringLiteral("778 nm");
    QTest::newRow("left end") << QList<int>{Qt::Key_End, Qt::Key_Home} << QStringLiteral("379 nm");
}

void TestMeasuring::sliderKeys()
{
    QFETCH(QList<int>, keys);
    QFETCH(QString, reading);
    slider()->setFocus();
    for (const int key : keys)
        QTest::keyClick(slider(), Qt::Key(key));
    QCOMPARE(label1(), reading);
    QCOMPARE(slider()->value() - 21, reading.chopped(3).toInt());
}

void TestMeasuring::sliderTooltipIsTheBareNumber()
{
    QVERIFY(slider()->toolTip().isEmpty());
    slider()->setFocus();
    for (int i = 0; i < 50; ++i)
        QTest::keyClick(slider(), Qt::Key_PageUp);
    QCOMPARE(label1(), QStringLiteral("479 nm"));
    QCOMPARE(slider()->toolTip(), QStringLiteral("479"));
    for (int i = 0; i < 21; ++i)
        QTest::keyClick(slider(), Qt::Key_Right);
    QCOMPARE(label1(), QStringLiteral("500 nm"));
    QCOMPARE(slider()->toolTip(), QStringLiteral("500"));
}

void TestMeasuring::keyAtTheEndStillReports()
{
    // At the left end the position does not change, yet the slider reports.
    slider()->setFocus();
    QTest::keyClick(slider(), Qt::Key_Left);
    QCOMPARE(slider()->value(), 400);
    QCOMPARE(slider()->toolTip(), QStringLiteral("379"));
    QCOMPARE(label1(), QStringLiteral("379 nm"));
}

void TestMeasuring::settingThePositionFromCodeCallsNothing()
{
    slider()->setValue(521);
    QCoreApplication::processEvents();
    QCOMPARE(label1(), QStringLiteral("379 nm"));
    QVERIFY(slider()->toolTip().isEmpty());
}

void TestMeasuring::draggingTheThumb_data()
{
    QTest::addColumn<bool>("finger");
    QTest::newRow("mouse") << false;
    QTest::newRow("finger") << true;
}

void TestMeasuring::draggingTheThumb()
{
    QFETCH(bool, finger);
    QStyleOptionSlider option;
    option.initFrom(slider());
    option.orientation = Qt::Horizontal;
    option.minimum = slider()->minimum();
    option.maximum = slider()->maximum();
    option.sliderPosition = option.sliderValue = slider()->value();
    const QRect handle = slider()->style()->subControlRect(QStyle::CC_Slider, &option,
                                                           QStyle::SC_SliderHandle, slider());
    const QPoint from = slider()->mapTo(m_shown->form.get(), handle.center());
    const QPoint to = from + QPoint(200, 0);
    finger ? m_shown->touch(from) : m_shown->press(from);
    for (int x = from.x(); x <= to.x(); x += 20)
        finger ? m_shown->slide(QPoint(x, from.y())) : QTest::mouseMove(m_shown->window(), QPoint(x, from.y()));
    const int during = slider()->sliderPosition();
    QVERIFY(during > 500);
    QCOMPARE(label1(), QStringLiteral("%1 nm").arg(during - 21));
    finger ? m_shown->lift(to) : m_shown->release(to);
    QCOMPARE(label1(), QStringLiteral("%1 nm").arg(slider()->value() - 21));
    QCOMPARE(slider()->toolTip(), QString::number(slider()->value() - 21));
}

void TestMeasuring::stripTooltipText_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::newRow("leftmost column") << 0 << QStringLiteral("380");
    QTest::newRow("sodium's column") << 210 << QStringLiteral("590");
    QTest::newRow("last column") << 400 << QStringLiteral("780");
}

void TestMeasuring::stripTooltipText()
{
    QFETCH(int, column);
    QFETCH(QString, text);
    QTest::mouseMove(m_shown->window(), QPoint(16 + column + 3, 320));
    QTest::mouseMove(m_shown->window(), QPoint(16 + column, 320));
    QCOMPARE(m_shown->control("Image3")->toolTip(), text);
}

void TestMeasuring::tooltipTiming()
{
    // Up 500 ms after entering and gone 2500 ms later; the margins leave a
    // loaded machine some hundreds of milliseconds of slack on each side.
    QTest::mouseMove(m_shown->window(), QPoint(300, 500)); // grey background
    QTest::qWait(100);
    QTest::mouseMove(m_shown->window(), QPoint(16 + 210, 320));
    QElapsedTimer clock;
    clock.start();
    QTest::qWait(250);
    QVERIFY(!QToolTip::isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(QToolTip::isVisible(), 550);
    const qint64 shownAt = clock.elapsed();
    QCOMPARE(QToolTip::text(), QStringLiteral("590"));
    QTest::qWait(int(2200 - (clock.elapsed() - shownAt)));
    QVERIFY(QToolTip::isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!QToolTip::isVisible(), 900);
    // Not back while the pointer stays on the strip, even when it moves.
    QTest::mouseMove(m_shown->window(), QPoint(16 + 250, 320));
    QTest::qWait(900);
    QVERIFY(!QToolTip::isVisible());
    // Back after leaving and coming in again, with the new column.
    QTest::mouseMove(m_shown->window(), QPoint(300, 500));
    QTest::qWait(100);
    QTest::mouseMove(m_shown->window(), QPoint(16 + 100, 320));
    QTRY_VERIFY_WITH_TIMEOUT(QToolTip::isVisible(), 1500);
    QCOMPARE(QToolTip::text(), QStringLiteral("480"));
}

void TestMeasuring::tooltipByTouch()
{
    // A finger held on the strip reads its column after 500 ms, above the
    // finger; every new touch reads again, and one lifted early shows nothing.
    const auto tip = [] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String("qtooltip_label") && w->isVisible())
                return w->frameGeometry();
        return QRect();
    };
    // Shown twice as large on a projector, the gap stays as wide on the screen.
    struct Case { int column; const char *text; int shown; int gap; };
    for (const auto &[column, text, shown, gap] : {Case{210, "590", 1, 24}, Case{100, "480", 2, 12}}) {
        ShownMagnification() = shown;
        const auto normal = qScopeGuard([] { ShownMagnification() = 1; });
        const QPoint at(16 + column, 320);
        m_shown->touch(at);
        QElapsedTimer clock;
        clock.start();
        QTest::qWait(250);
        QVERIFY(!QToolTip::isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(QToolTip::isVisible(), 550);
        QVERIFY2(clock.elapsed() >= 450, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(QToolTip::text(), QString::fromLatin1(text));
        QCOMPARE(tip().bottom() + 1, m_shown->form->mapToGlobal(at).y() - gap);
        QCOMPARE(tip().left(), m_shown->form->mapToGlobal(at).x() + 2); // where Qt puts a tip's left edge
        m_shown->lift(at);
    }
    m_shown->touch({16 + 50, 320});
    QVERIFY(!QToolTip::isVisible());
    QTest::qWait(200);
    m_shown->lift({16 + 50, 320});
    QTest::qWait(800);
    QVERIFY(!QToolTip::isVisible());
    // The mouse onto the strip afterwards: its tip below the pointer, as always.
    QTest::mouseMove(m_shown->window(), QPoint(300, 500));
    QTest::qWait(100);
    QTest::mouseMove(m_shown->window(), QPoint(16 + 100, 320));
    QTRY_VERIFY_WITH_TIMEOUT(QToolTip::isVisible(), 1500);
    QCOMPARE(QToolTip::text(), QStringLiteral("480"));
    QVERIFY2(tip().top() > m_shown->form->mapToGlobal(QPoint(16 + 100, 320)).y(), qPrintable(QString::number(tip().top())));
}

void TestMeasuring::tooltipKeepsItsText()
{
    QTest::mouseMove(m_shown->window(), QPoint(16 + 33, 320));
    QTRY_VERIFY_WITH_TIMEOUT(QToolTip::isVisible(), 1500);
    QTest::mouseMove(m_shown->window(), QPoint(16 + 300, 320));
    QCoreApplication::processEvents();
    QCOMPARE(m_shown->control("Image3")->toolTip(), QStringLiteral("680"));
    QVERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), QStringLiteral("413"));
}

void TestMeasuring::nextControlAfterAShortPause()
{
    QTest::mouseMove(m_shown->window(), QPoint(700, 300)); // the sky picture
    QTRY_VERIFY_WITH_TIMEOUT(QToolTip::isVisible(), 1500);
    QCOMPARE(QToolTip::text(), QStringLiteral("Clique sur l'une des deux étoiles les plus brillantes"));
    QTest::mouseMove(m_shown->window(), QPoint(740, 264)); // Deneb's hot spot
    QTest::qWait(250); // well under the first delay of 500 ms
    QVERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), QStringLiteral("Deneb"));
}

void TestMeasuring::emptyTooltipShowsNothing()
{
    QTest::mouseMove(m_shown->window(), QPoint(200, 375)); // the slider, never moved
    QTest::qWait(900);
    QVERIFY(!QToolTip::isVisible());
}

void TestMeasuring::clockText_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QTime>("time");
    QTest::addColumn<QString>("text");
    QTest::newRow("French") << QLocale(QLocale::French, QLocale::France) << QTime(9, 5, 7)
                            << QStringLiteral("09:05:07");
    QTest::newRow("C") << QLocale::c() << QTime(9, 5, 7) << QStringLiteral("09:05:07");
    QTest::newRow("German, afternoon") << QLocale(QLocale::German, QLocale::Germany) << QTime(17, 0, 9)
                                       << QStringLiteral("17:00:09");
    QTest::newRow("US morning") << QLocale(QLocale::English, QLocale::UnitedStates) << QTime(9, 5, 7)
                                << QStringLiteral("9:05:07 AM");
    QTest::newRow("US afternoon") << QLocale(QLocale::English, QLocale::UnitedStates)
                                  << QTime(21, 30, 0) << QStringLiteral("9:30:00 PM");
}

void TestMeasuring::clockText()
{
    QFETCH(QLocale, locale);
    QFETCH(QTime, time);
    QFETCH(QString, text);
    const QString shown = TForm1::ClockText(time, locale);
    QCOMPARE(shown.simplified(), text); // some locales put a narrow blank before AM/PM
}

void TestMeasuring::clockTicks()
{
    auto *clock = m_shown->control<QLabel>("Label3");
    QCOMPARE(clock->text(), QStringLiteral("Label3"));
    QTest::qWait(300);
    QCOMPARE(clock->text(), QStringLiteral("Label3"));
    // The first tick comes one second after start-up.
    QTRY_VERIFY_WITH_TIMEOUT(clock->text() != QLatin1String("Label3"), 1300);
    const QTime shown = QLocale::system().toTime(clock->text(), QLocale::system().timeFormat(QLocale::LongFormat)
                                                                   .remove(QLatin1Char('t')).trimmed());
    if (shown.isValid())
        QVERIFY(std::abs(shown.secsTo(QTime::currentTime())) <= 2);
    QVERIFY(!clock->text().contains(QLatin1String("UTC")));
}

QTEST_MAIN(TestMeasuring)
#include "tst_measuring.moc"

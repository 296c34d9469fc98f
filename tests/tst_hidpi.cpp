// The whole window at a scale factor of 2: uniformly scaled, strips and sky
// crisp, stars still clickable where they are shown.

#include "test_support.h"

#include "colour_ramp.h"
#include "spectrum_strips.h"

#include <QTest>

class TestHiDpi : public QObject
{
    Q_OBJECT

private slots:
    void scaledUniformly();
    void stripsAndSkyStayCrisp();
    void clickingTheShownDiscSelectsTheStar_data();
    void clickingTheShownDiscSelectsTheStar();
};

namespace {
QImage deviceGrab(const ShownForm &shown)
{
    QCoreApplication::processEvents();
    return shown.form->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Every 2 x 2 block of device pixels in the area (logical coordinates) is one colour.
bool crisp(const QImage &image, QRect logical, const QList<QRect> &except = {})
{
    for (int y = logical.top(); y <= logical.bottom(); ++y)
        for (int x = logical.left(); x <= logical.right(); ++x) {
            if (std::any_of(except.begin(), except.end(), [&](const QRect &r) { return r.contains(x, y); }))
                continue;
            const QRgb c = image.pixel(2 * x, 2 * y);
            if (image.pixel(2 * x + 1, 2 * y) != c || image.pixel(2 * x, 2 * y + 1) != c
                || image.pixel(2 * x + 1, 2 * y + 1) != c)
                return false;
        }
    return true;
}
} // namespace

void TestHiDpi::scaledUniformly()
{
    ShownForm shown;
    QCOMPARE(shown.form->devicePixelRatio(), 2.0);
    QCOMPARE(shown.form->size(), QSize(959, 536));
    const QImage image = deviceGrab(shown);
    QCOMPARE(image.size(), QSize(2 * 959, 2 * 536));
    // The continuum's first and last columns sit at twice their places.
    COMPARE_RGB(image.pixel(2 * 16, 2 * 408), rgb(99, 2, 255));
    COMPARE_RGB(image.pixel(2 * 415 + 1, 2 * 480 + 1), rgb(128, 0, 84));
    COMPARE_RGB(image.pixel(2 * 416, 2 * 440), rgb(128, 128, 128));
}

void TestHiDpi::stripsAndSkyStayCrisp()
{
    ShownForm shown;
    shown.clickControl("BitBtn1");
    shown.clickControl("BitBtn6");
    const QImage image = deviceGrab(shown);
    QVERIFY(crisp(image, QRect(16, 288, 401, 73)));
    QVERIFY(crisp(image, QRect(16, 408, 400, 73)));
    // The figures' labels are text, drawn at the screen's own resolution.
    QVERIFY(crisp(image, QRect(544, 16, 409, 329), {QRect(592, 32, 28, 13), QRect(760, 168, 37, 13)}));
    for (int x = 0; x < ContinuumWidth; ++x)
        COMPARE_RGB(image.pixel(2 * (16 + x), 2 * 440), *SpectrumColour(ContinuumLastStepOfColumn(x)));
    COMPARE_RGB(image.pixel(2 * (16 + 33), 2 * 300), rgb(68, 82, 255));
}

void TestHiDpi::clickingTheShownDiscSelectsTheStar_data()
{
    QTest::addColumn<bool>("secondView");
    QTest::addColumn<QPoint>("disc");
    QTest::addColumn<int>("star");
    QTest::newRow("Vega") << false << QPoint(612, 84) << int(Star::Vega);
    QTest::newRow("Deneb") << false << QPoint(739, 264) << int(Star::Deneb);
    QTest::newRow("Betelgeuse") << true << QPoint(881, 327) << int(Star::Betelgeuse);
    QTest::newRow("Pollux") << true << QPoint(668, 165) << int(Star::Pollux);
}

void TestHiDpi::clickingTheShownDiscSelectsTheStar()
{
    QFETCH(bool, secondView);
    QFETCH(QPoint, disc);
    QFETCH(int, star);
    ShownForm shown;
    if (secondView)
        shown.clickControl("BitBtn3");
    const QImage image = deviceGrab(shown);
    // The point clicked shows the star's disc on the screen.
    QVERIFY((image.pixel(2 * disc.x(), 2 * disc.y()) & 0xffffffu) != 0);
    shown.click(disc);
    QVERIFY(shown.form->state().starSelected(Star(star)));
}

QTEST_MAIN(TestHiDpi)
#include "tst_hidpi.moc"

// The colour ramp, its rounding, and the drawing operations of the strips.

#include "colour_ramp.h"
#include "line_catalogue.h"
#include "spectrum_strips.h"
#include "strip.h"
#include "test_support.h"

#include <QTest>

class TestColourRamp : public QObject
{
    Q_OBJECT

private slots:
    void roundHalfEven_data();
    void roundHalfEven();
    void spectrumColour_data();
    void spectrumColour();
    void noColourBeyondTheRamp();
    void emissionIndex_data();
    void emissionIndex();
    void continuumColumnsKeepTheirLastStep();
    void continuumLeavesPenDarkPurple();
    void absorptionLineUsesThePen();
    void emissionLineColumnsAndColour();
    void emissionLineOffBlacksOnlyItsColumns();
    void outOfRangeIndexKeepsThePen();
    void clearReferenceStripIsBlack();
    void everyLineOfTheCatalogueLiesOnTheStrips();
};

void TestColourRamp::roundHalfEven_data()
{
    QTest::addColumn<qint64>("numerator");
    QTest::addColumn<qint64>("denominator");
    QTest::addColumn<qint64>("expected");
    QTest::newRow("127.5 -> 128") << qint64(255) << qint64(2) << qint64(128);
    QTest::newRow("129.5 -> 130") << qint64(259) << qint64(2) << qint64(130);
    QTest::newRow("2.5 -> 2") << qint64(5) << qint64(2) << qint64(2);
    QTest::newRow("3.5 -> 4") << qint64(7) << qint64(2) << qint64(4);
    QTest::newRow("0.4 -> 0") << qint64(2) << qint64(5) << qint64(0);
    QTest::newRow("0.6 -> 1") << qint64(3) << qint64(5) << qint64(1);
    QTest::newRow("-2.5 -> -2") << qint64(-5) << qint64(2) << qint64(-2);
    QTest::newRow("-1.5 -> -2") << qint64(-3) << qint64(2) << qint64(-2);
    QTest::newRow("-0.4 -> 0") << qint64(-2) << qint64(5) << qint64(0);
    QTest::newRow("whole") << qint64(40) << qint64(20) << qint64(2);
}

void TestColourRamp::roundHalfEven()
{
    QFETCH(qint64, numerator);
    QFETCH(qint64, denominator);
    QFETCH(qint64, expected);
    QCOMPARE(RoundHalfEven(numerator, denominator), expected);
}

void TestColourRamp::spectrumColour_data()
{
    QTest::addColumn<int>("v");
    QTest::addColumn<QRgb>("expected");
    QTest::newRow("0") << 0 << rgb(100, 0, 255);
    QTest::newRow("1: 99.6 rounds up") << 1 << rgb(100, 1, 255);
    QTest::newRow("2") << 2 << rgb(99, 2, 255);
    QTest::newRow("254") << 254 << rgb(0, 254, 255);
    QTest::newRow("255") << 255 << rgb(0, 255, 255);
    QTest::newRow("509") << 509 << rgb(254, 255, 1);
    QTest::newRow("510") << 510 << rgb(255, 255, 0);
    QTest::newRow("764") << 764 << rgb(255, 1, 0);
    QTest::newRow("765") << 765 << rgb(255, 0, 0);
    QTest::newRow("766: 0.5 rounds to 0") << 766 << rgb(255, 0, 0);
    QTest::newRow("767") << 767 << rgb(254, 0, 0);
    QTest::newRow("768: 1.5 rounds to 2") << 768 << rgb(253, 0, 1);
    QTest::newRow("854: calcium 715 nm") << 854 << rgb(211, 0, 29);
    QTest::newRow("1019") << 1019 << rgb(128, 0, 84);
    QTest::newRow("1020: 127.5 rounds to 128") << 1020 << rgb(127, 0, 85);
    QTest::newRow("1024") << 1024 << rgb(125, 0, 86);
}

void TestColourRamp::spectrumColour()
{
    QFETCH(int, v);
    QFETCH(QRgb, expected);
    const auto colour = SpectrumColour(v);
    QVERIFY(colour.has_value());
    COMPARE_RGB(*colour, expected);
}

void TestColourRamp::noColourBeyondTheRamp()
{
    QVERIFY(!SpectrumColour(1025).has_value());
    QVERIFY(!SpectrumColour(5000).has_value());
    QVERIFY(SpectrumColour(1024).has_value());
}

void TestColourRamp::emissionIndex_data()
{
    QTest::addColumn<int>("wavelength");
    QTest::addColumn<int>("expected");
    QTest::newRow("450 nm is a tie: 178") << 450 << 178;
    QTest::newRow("610 nm is a tie: 586") << 610 << 586;
    QTest::newRow("470 nm is a tie: 230") << 470 << 230;
    QTest::newRow("715 nm") << 715 << 854;
    QTest::newRow("380 nm") << 380 << 0;
    QTest::newRow("405 nm") << 405 << 64;
    QTest::newRow("733 nm") << 733 << 900;
    QTest::newRow("780 nm") << 780 << 1020;
}

void TestColourRamp::emissionIndex()
{
    QFETCH(int, wavelength);
    QFETCH(int, expected);
    QCOMPARE(EmissionColourIndex(wavelength), expected);
}

void TestColourRamp::continuumColumnsKeepTheirLastStep()
{
    Strip strip(ContinuumWidth, StripHeight);
    PaintContinuum(strip);
    // Independent of the drawing: the highest step i with floor((400 i + 100) / 1020) == x.
    for (int x = 0; x < ContinuumWidth; ++x) {
        int last = 0;
        for (int i = 1; i <= 1020; ++i)
            if ((400 * i + 100) / 1020 == x)
                last = i;
        QVERIFY2(last > 0, qPrintable(QStringLiteral("column %1 got no step").arg(x)));
        for (const int y : {0, 36, 72})
            COMPARE_RGB(strip.image().pixel(x, y), *SpectrumColour(last));
    }
    COMPARE_RGB(strip.image().pixel(0, 0), rgb(99, 2, 255));
    COMPARE_RGB(strip.image().pixel(399, 72), rgb(128, 0, 84));
}

void TestColourRamp::continuumLeavesPenDarkPurple()
{
    Strip strip(ContinuumWidth, StripHeight);
    strip.setPen(rgb(1, 2, 3));
    PaintContinuum(strip);
    COMPARE_RGB(strip.pen(), rgb(127, 0, 85));
}

void TestColourRamp::absorptionLineUsesThePen()
{
    Strip strip(ContinuumWidth, StripHeight);
    PaintContinuum(strip);
    const QImage before = strip.image().copy();
    DrawAbsorptionLine(strip, 532, 7);
    for (int x = 0; x < ContinuumWidth; ++x) {
        const bool inLine = x >= 153 && x <= 159;
        for (const int y : {0, 72})
            COMPARE_RGB(strip.image().pixel(x, y), inLine ? rgb(127, 0, 85) : before.pixel(x, y));
    }
}

void TestColourRamp::emissionLineColumnsAndColour()
{
    Strip strip(ReferenceWidth, StripHeight);
    ClearReferenceStrip(strip);
    DrawEmissionLine(strip, 532, 7, true);
    for (int x = 150; x <= 162; ++x) {
        const bool inLine = x >= 153 && x <= 159;
        COMPARE_RGB(strip.image().pixel(x, 40), inLine ? rgb(133, 255, 122) : rgb(0, 0, 0));
    }
}

void TestColourRamp::emissionLineOffBlacksOnlyItsColumns()
{
    // Titanium 467 x 3 (columns 88 to 90) touches argon's 470 (column 91).
    Strip strip(ReferenceWidth, StripHeight);
    ClearReferenceStrip(strip);
    DrawEmissionLine(strip, 467, 3, true);
    DrawEmissionLine(strip, 470, 1, true);
    DrawEmissionLine(strip, 467, 3, false);
    for (int x = 86; x <= 92; ++x)
        COMPARE_RGB(strip.image().pixel(x, 10), x == 91 ? rgb(10, 230, 255) : rgb(0, 0, 0));
}

void TestColourRamp::outOfRangeIndexKeepsThePen()
{
    // 782 nm maps to 1025: no colour is produced and the pen stays as it was.
    Strip strip(ReferenceWidth, StripHeight);
    strip.setPen(rgb(10, 20, 30));
    DrawEmissionLine(strip, 782, 1, true);
    COMPARE_RGB(strip.pen(), rgb(10, 20, 30));
    // 780 nm maps to 1020 and lands on the last column of the strip.
    DrawEmissionLine(strip, 779, 1, true);
    COMPARE_RGB(strip.image().pixel(400, 0), *SpectrumColour(1018));
}

void TestColourRamp::clearReferenceStripIsBlack()
{
    Strip strip(ReferenceWidth, StripHeight);
    DrawEmissionLine(strip, 589, 1, true);
    ClearReferenceStrip(strip);
    for (int x = 0; x < ReferenceWidth; ++x)
        COMPARE_RGB(strip.image().pixel(x, x % StripHeight), rgb(0, 0, 0));
}

void TestColourRamp::everyLineOfTheCatalogueLiesOnTheStrips()
{
    const auto check = [](std::span<const SpectralLine> lines) {
        for (const SpectralLine &line : lines) {
            QVERIFY(line.wavelength >= 405 && line.wavelength <= 733);
            QVERIFY(line.width >= 1 && line.width <= 7);
            QVERIFY(SpectrumColour(EmissionColourIndex(line.wavelength)).has_value());
        }
    };
    for (const ElementRecord &record : ElementTable)
        check(record.lines);
    for (const Star star : {Star::Deneb, Star::Vega, Star::Betelgeuse, Star::Pollux})
        check(StarLines(star));
}

QTEST_MAIN(TestColourRamp)
#include "tst_colour_ramp.moc"

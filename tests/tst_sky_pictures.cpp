// The pictures built into the program: sky views, figures, icons and glyphs.

#include "test_support.h"

#include "glyph_button.h"
#include "picture.h"
#include "pictures.h"
#include "sky_pictures.h"
#include "star_field.h"

#include <QFile>
#include <QSet>
#include <QTest>
#include <cmath>

namespace {
int countColour(const QImage &image, QRgb colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += (image.pixel(x, y) | 0xff000000u) == (colour | 0xff000000u);
    return count;
}

bool isSky(QRgb pixel) { return (pixel & 0xffffffu) == 0; }

double distanceToSegment(QPointF p, const FigureSegment &s)
{
    const QPointF a = s.from, b = s.to;
    const QPointF d = b - a;
    const double length2 = QPointF::dotProduct(d, d);
    double t = length2 > 0 ? QPointF::dotProduct(p - a, d) / length2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    const QPointF q = a + t * d - p;
    return std::sqrt(QPointF::dotProduct(q, q));
}

QImage stretchedSky(const QImage &picture)
{
    return Picture::stretchByCentreSampling(picture, QSize(409, 329));
}
} // namespace

class TestSkyPictures : public QObject
{
    Q_OBJECT

private slots:
    void discLayers_data();
    void discLayers();
    void discCoverage();
    void plainPictureContents_data();
    void plainPictureContents();
    void figureDiffersOnlyInWhite_data();
    void figureDiffersOnlyInWhite();
    void stretchSamplesPixelCentres();
    void selectableStarsOnTheWindow_data();
    void selectableStarsOnTheWindow();
    void labelsStandOnBlackSky_data();
    void labelsStandOnBlackSky();
    void icons();
    void glyphs();
    void glyphBackgroundNeverReachesTheScreen();
    void builtInPicturesLoadNoImagePlugin();
    void starField();
};

void TestSkyPictures::discLayers_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("core");
    QTest::addColumn<int>("middle");
    QTest::addColumn<int>("outer");
    QTest::newRow("14") << 14 << 52 << 60 << 36;
    QTest::newRow("12") << 12 << 32 << 44 << 36;
    QTest::newRow("10") << 10 << 32 << 20 << 24;
    QTest::newRow("8") << 8 << 12 << 20 << 20;
    QTest::newRow("6") << 6 << 12 << 20 << 0;
    QTest::newRow("4") << 4 << 12 << 0 << 0;
}

void TestSkyPictures::discLayers()
{
    QFETCH(int, size);
    QFETCH(int, core);
    QFETCH(int, middle);
    QFETCH(int, outer);
    QImage image(40, 40, QImage::Format_RGB32);
    image.fill(SkyBackground);
    const DiscLayers layers = LayersOfSize(size);
    if (layers.outer)
        PaintDisc(image, {20, 20}, layers.outer, StarOuterRing);
    if (layers.middle)
        PaintDisc(image, {20, 20}, layers.middle, StarMiddleRing);
    PaintDisc(image, {20, 20}, layers.core, StarCore);
    QCOMPARE(countColour(image, StarCore), core);
    QCOMPARE(countColour(image, StarMiddleRing), middle);
    QCOMPARE(countColour(image, StarOuterRing), outer);
}

void TestSkyPictures::discCoverage()
{
    // Deneb: size 14 on (153, 181) covers columns 146 to 159 and rows 174 to 187.
    const QImage sky = BuildSkyPicture(SkyView::One);
    QRect box;
    for (int y = 165; y < 195; ++y)
        for (int x = 140; x < 166; ++x)
            if (!isSky(sky.pixel(x, y)))
                box |= QRect(x, y, 1, 1);
    QCOMPARE(box, QRect(QPoint(146, 174), QPoint(159, 187)));
    // Row widths 4 at the top and bottom, 14 in the middle rows.
    QVERIFY(isSky(sky.pixel(150, 174)));
    QVERIFY(!isSky(sky.pixel(151, 174)) && !isSky(sky.pixel(154, 174)));
    QVERIFY(isSky(sky.pixel(155, 174)));
    QVERIFY(!isSky(sky.pixel(146, 179)) && !isSky(sky.pixel(159, 182)));
    COMPARE_RGB(sky.pixel(153, 181), StarCore);
    COMPARE_RGB(sky.pixel(146, 180), StarOuterRing);
    COMPARE_RGB(sky.pixel(147, 180), StarMiddleRing);
    // A point star and the brightest pixel of a speck of view 2.
    COMPARE_RGB(sky.pixel(34, 76), StarCore);
    COMPARE_RGB(BuildSkyPicture(SkyView::Two).pixel(271, 33), rgb(157, 199, 211));
    COMPARE_RGB(BuildSkyPicture(SkyView::Two).pixel(251, 83), rgb(9, 11, 12));
}

void TestSkyPictures::plainPictureContents_data()
{
    QTest::addColumn<int>("view");
    QTest::addColumn<int>("lit");
    QTest::addColumn<int>("core");
    // Discs: view 1 has 2 x 148 + 4 x 52 + 4 x 32 + 8 x 12; view 2 has
    // 2 x 112 + 76 + 52 + 6 x 32 + 6 x 12; point stars and specks on top.
    QTest::newRow("view 1") << 0 << (2 * 148 + 4 * 52 + 4 * 32 + 8 * 12 + 29)
                            << (2 * 52 + 4 * 12 + 4 * 12 + 8 * 12 + 29);
    QTest::newRow("view 2") << 1 << (2 * 112 + 76 + 52 + 6 * 32 + 6 * 12 + 30 + 12)
                            << (2 * 32 + 32 + 12 + 6 * 12 + 6 * 12 + 30 + 2);
}

void TestSkyPictures::plainPictureContents()
{
    QFETCH(int, view);
    QFETCH(int, lit);
    QFETCH(int, core);
    const QImage sky = BuildSkyPicture(SkyView(view));
    QCOMPARE(sky.size(), QSize(320, 240));
    QCOMPARE(sky.width() * sky.height() - countColour(sky, SkyBackground), lit);
    QCOMPARE(countColour(sky, StarCore), core);
    QCOMPARE(countColour(sky, FigureLine), 0);
}

void TestSkyPictures::figureDiffersOnlyInWhite_data()
{
    QTest::addColumn<int>("view");
    QTest::newRow("view 1: Lyra and Cygnus") << 0;
    QTest::newRow("view 2: Gemini") << 1;
}

void TestSkyPictures::figureDiffersOnlyInWhite()
{
    QFETCH(int, view);
    const QImage plain = BuildSkyPicture(SkyView(view));
    const QImage figure = BuildFigurePicture(SkyView(view));
    const auto segments = SkyViewTableOf(SkyView(view)).figure;
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x) {
            if (plain.pixel(x, y) == figure.pixel(x, y))
                continue;
            COMPARE_RGB(figure.pixel(x, y), FigureLine);
            double nearest = 1e9;
            for (const FigureSegment &segment : segments)
                nearest = std::min(nearest, distanceToSegment({x + 0.5, y + 0.5}, segment));
            QVERIFY2(nearest <= 1.0, qPrintable(QStringLiteral("(%1, %2) is %3 from every line")
                                                    .arg(x).arg(y).arg(nearest)));
        }
    // Every segment is white along its whole length, on both sides.
    for (const FigureSegment &segment : segments) {
        const QPointF a = segment.from, b = segment.to;
        const QPointF d = b - a;
        const QPointF normal = QPointF(-d.y(), d.x()) / std::sqrt(QPointF::dotProduct(d, d));
        for (int step = 0; step <= 40; ++step) {
            const QPointF p = a + d * (step / 40.0);
            for (const double side : {-0.25, 0.25}) {
                const QPointF q = p + side * normal;
                COMPARE_RGB(figure.pixel(int(std::floor(q.x())), int(std::floor(q.y()))), FigureLine);
            }
        }
    }
}

void TestSkyPictures::stretchSamplesPixelCentres()
{
    QImage source(4, 2, QImage::Format_RGB32);
    for (int x = 0; x < 4; ++x)
        for (int y = 0; y < 2; ++y)
            source.setPixel(x, y, qRgb(x * 10, y * 10, 0));
    const QImage shown = Picture::stretchByCentreSampling(source, QSize(6, 3));
    // Columns map to floor((X + 0.5) * 4 / 6): 0, 1, 1, 2, 3, 3.
    const int columns[] = {0, 1, 1, 2, 3, 3};
    const int rows[] = {0, 1, 1}; // floor((Y + 0.5) * 2 / 3)
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 6; ++x)
            COMPARE_RGB(shown.pixel(x, y), source.pixel(columns[x], rows[y]));
}

void TestSkyPictures::selectableStarsOnTheWindow_data()
{
    QTest::addColumn<bool>("secondView");
    QTest::addColumn<QRect>("disc");
    QTest::addColumn<QRect>("hotSpot");
    QTest::addColumn<int>("underHotSpot");
    QTest::newRow("Vega") << false << QRect(QPoint(603, 71), QPoint(620, 89))
                          << QRect(608, 80, 14, 9) << 100;
    QTest::newRow("Deneb") << false << QRect(QPoint(731, 255), QPoint(747, 273))
                           << QRect(733, 256, 20, 17) << 226;
    QTest::newRow("Betelgeuse") << true << QRect(QPoint(874, 319), QPoint(888, 334))
                                << QRect(872, 320, 17, 17) << 193;
    QTest::newRow("Pollux") << true << QRect(QPoint(660, 157), QPoint(675, 173))
                            << QRect(662, 160, 15, 15) << 164;
}

void TestSkyPictures::selectableStarsOnTheWindow()
{
    QFETCH(bool, secondView);
    QFETCH(QRect, disc);
    QFETCH(QRect, hotSpot);
    QFETCH(int, underHotSpot);
    ShownForm shown;
    if (secondView)
        shown.clickControl("BitBtn3");
    const QImage shot = shown.grab();
    QRect box;
    const QRect around = disc.adjusted(-4, -4, 4, 4);
    for (int y = around.top(); y <= around.bottom(); ++y)
        for (int x = around.left(); x <= around.right(); ++x)
            if (!isSky(shot.pixel(x, y)))
                box |= QRect(x, y, 1, 1);
    QCOMPARE(box, disc);
    int under = 0;
    for (int y = hotSpot.top(); y <= hotSpot.bottom(); ++y)
        for (int x = hotSpot.left(); x <= hotSpot.right(); ++x)
            under += !isSky(shot.pixel(x, y));
    QCOMPARE(under, underHotSpot);
}

void TestSkyPictures::labelsStandOnBlackSky_data()
{
    QTest::addColumn<int>("view");
    QTest::addColumn<QRect>("label");
    QTest::newRow("LYRE") << 0 << QRect(592, 32, 28, 13);
    QTest::newRow("CYGNE") << 0 << QRect(760, 168, 37, 13);
    QTest::newRow("GEMINI") << 1 << QRect(832, 200, 38, 13);
}

void TestSkyPictures::labelsStandOnBlackSky()
{
    QFETCH(int, view);
    QFETCH(QRect, label);
    const QImage shown = stretchedSky(BuildFigurePicture(SkyView(view)));
    const QRect area = label.translated(-544, -16);
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            QVERIFY2(isSky(shown.pixel(x, y)), qPrintable(QStringLiteral("(%1, %2)").arg(x).arg(y)));
}

void TestSkyPictures::icons()
{
    const QImage window = WindowIconImage();
    QCOMPARE(window.size(), QSize(32, 32));
    QVERIFY(!window.hasAlphaChannel() || countColour(window, 0) == 0);
    for (int i = 0; i < 32; ++i)
        for (const QPoint p : {QPoint(i, 0), QPoint(i, 31), QPoint(0, i), QPoint(31, i)})
            COMPARE_RGB(window.pixel(p), rgb(255, 0, 0));
    COMPARE_RGB(window.pixel(3, 3), rgb(0, 0, 255));   // bright blue upper left
    COMPARE_RGB(window.pixel(28, 28), rgb(0, 0, 128)); // navy lower right

    const QImage program = ProgramIconImage().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(program.size(), QSize(32, 32));
    int transparent = 0;
    QSet<QRgb> colours;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            if (qAlpha(program.pixel(x, y)) == 0)
                ++transparent;
            else
                colours.insert(program.pixel(x, y));
        }
    QCOMPARE(transparent, 516);
    QVERIFY(colours.size() <= 16);
    const QRgb bands[] = {rgb(0, 0, 255), rgb(0, 255, 0), rgb(255, 255, 0), rgb(255, 0, 0)};
    for (int band = 0; band < 4; ++band)
        COMPARE_RGB(program.pixel(band * 4 + 1, 6), bands[band]);
    COMPARE_RGB(program.pixel(2, 16), rgb(0, 0, 255));
    COMPARE_RGB(program.pixel(8, 16), rgb(255, 255, 0));
    COMPARE_RGB(program.pixel(15, 16), rgb(255, 0, 0));
    COMPARE_RGB(program.pixel(30, 20), rgb(0, 0, 0));
    COMPARE_RGB(program.pixel(5, 13), rgb(0, 0, 0));
}

void TestSkyPictures::glyphs()
{
    for (const auto &[glyph, transparent] : {std::pair{AideGlyph(), rgb(128, 128, 0)},
                                             std::pair{OkGlyph(), rgb(128, 0, 128)}}) {
        QCOMPARE(glyph.size(), QSize(32, 16));
        COMPARE_RGB(glyph.pixel(0, 15), transparent);
        QSet<QRgb> colours;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 32; ++x)
                colours.insert(glyph.pixel(x, y));
        QVERIFY(colours.size() <= 16);
        // The two halves differ: the disabled image is not the enabled one.
        QVERIFY(glyph.copy(0, 0, 16, 16) != glyph.copy(16, 0, 16, 16));
        GlyphButton button;
        button.setGlyph(glyph);
        QCOMPARE(qAlpha(button.glyphImage(true).pixel(0, 15)), 0);
        QCOMPARE(qAlpha(button.glyphImage(false).pixel(0, 15)), 0);
    }
    COMPARE_RGB(OkGlyph().pixel(7, 11), rgb(255, 0, 0)); // the red check mark
}

void TestSkyPictures::builtInPicturesLoadNoImagePlugin()
{
#ifdef Q_OS_LINUX
    // Asking every image plugin of the system whether it reads XPM cost the
    // start-up a library load each; the built-in pictures use the own reader.
    for (const QImage &image : {WindowIconImage(), ProgramIconImage(), AideGlyph(), OkGlyph()})
        QVERIFY(!image.isNull());
    QFile maps(QStringLiteral("/proc/self/maps"));
    QVERIFY(maps.open(QIODevice::ReadOnly));
    const QByteArray mapped = maps.readAll();
    QVERIFY2(!mapped.contains("/imageformats/"), "an image plugin was loaded");
#else
    QSKIP("reads the process's mappings, which only Linux shows");
#endif
}

void TestSkyPictures::glyphBackgroundNeverReachesTheScreen()
{
    ShownForm shown;
    auto *button = shown.control<GlyphButton>("BitBtn5");
    for (const bool enabled : {true, false}) {
        button->setEnabled(enabled);
        const QImage face = shown.grab().copy(button->geometry());
        QCOMPARE(countColour(face, rgb(128, 128, 0)), 0);
        // The glyph is drawn: its red question mark when enabled.
        QCOMPARE(countColour(face, rgb(255, 0, 0)) > 0, enabled);
    }
}

void TestSkyPictures::starField()
{
    const QImage field = BuildStarField();
    QVERIFY(field.height() > field.width());
    QCOMPARE(field, BuildStarField()); // the same picture every time
    const QRgb corner = field.pixel(field.width() - 1, field.height() - 1);
    const QRgb middle = field.pixel(field.width() / 3, field.height() / 2);
    QVERIFY(qBlue(corner) > qRed(corner));
    QVERIFY(qGray(corner) < qGray(middle) || qGray(middle) > 200);
}

QTEST_MAIN(TestSkyPictures)
#include "tst_sky_pictures.moc"

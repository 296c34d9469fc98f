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
// The sky's colours and tables, typed here rather than read from the builder.
constexpr QRgb Core = qRgb(157, 199, 211), Middle = qRgb(105, 133, 141), Outer = qRgb(63, 79, 84);
constexpr QRgb White = qRgb(255, 255, 255);

struct TypedDisc { int size, x, y; };
const std::vector<TypedDisc> DiscsOne = {
    {14, 53, 47}, {14, 153, 181}, {8, 152, 25}, {8, 159, 85}, {8, 214, 128}, {8, 161, 137},
    {6, 77, 15}, {6, 91, 27}, {6, 115, 129}, {6, 265, 150}, {4, 289, 21}, {4, 65, 36},
    {4, 77, 45}, {4, 77, 140}, {4, 89, 144}, {4, 189, 193}, {4, 219, 207}, {4, 176, 213}};
const std::vector<TypedDisc> DiscsTwo = {
    {12, 97, 109}, {12, 264, 227}, {10, 214, 171}, {8, 117, 67}, {6, 193, 99}, {6, 228, 115},
    {6, 98, 135}, {6, 157, 142}, {6, 135, 147}, {6, 203, 200}, {4, 175, 49}, {4, 40, 71},
    {4, 237, 111}, {4, 238, 115}, {4, 40, 129}, {4, 63, 195}};
const std::vector<QPoint> PointsOne = {
    {211, 11}, {17, 22}, {178, 28}, {230, 34}, {283, 53}, {116, 58}, {188, 65}, {246, 74},
    {34, 76}, {68, 84}, {101, 95}, {62, 96}, {288, 108}, {34, 141}, {123, 154}, {173, 154},
    {302, 162}, {223, 168}, {200, 171}, {251, 178}, {100, 186}, {103, 186}, {252, 198},
    {282, 198}, {54, 199}, {28, 205}, {136, 207}, {80, 219}, {46, 221}};
const std::vector<QPoint> PointsTwo = {
    {89, 6}, {162, 14}, {6, 18}, {246, 18}, {197, 23}, {124, 26}, {50, 29}, {84, 42},
    {312, 52}, {69, 70}, {300, 76}, {36, 77}, {169, 86}, {144, 95}, {271, 95}, {158, 118},
    {246, 120}, {80, 127}, {11, 128}, {34, 146}, {54, 148}, {274, 161}, {96, 162}, {33, 186},
    {102, 192}, {234, 196}, {19, 210}, {139, 211}, {194, 226}, {304, 228}};
const std::vector<QLine> FigureOne = {
    {53, 47, 63, 37}, {64, 36, 77, 17}, {76, 15, 89, 25}, {88, 26, 76, 43}, {75, 43, 64, 36},
    {152, 27, 157, 86}, {157, 86, 160, 137}, {160, 138, 153, 182}, {161, 139, 211, 129},
    {213, 129, 262, 150}, {158, 140, 116, 129}, {115, 130, 88, 143}, {87, 144, 77, 140}};
const std::vector<QLine> FigureTwo = {
    {117, 67, 98, 107}, {97, 108, 97, 134}, {96, 137, 134, 147}, {133, 147, 157, 141},
    {155, 141, 213, 170}, {213, 171, 204, 198}, {213, 170, 226, 114}, {225, 114, 190, 98},
    {190, 98, 118, 68}};

int countColour(const QImage &image, QRgb colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += (image.pixel(x, y) | 0xff000000u) == (colour | 0xff000000u);
    return count;
}

bool isSky(QRgb pixel) { return (pixel & 0xffffffu) == 0; }
bool same(QRgb a, QRgb b) { return (a & 0xffffffu) == (b & 0xffffffu); }

double distanceToSegment(QPointF p, const QLine &s)
{
    const QPointF a = s.p1(), b = s.p2();
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
    void discsAndPointStars_data();
    void discsAndPointStars();
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
    image.fill(qRgb(0, 0, 0));
    const DiscLayers layers = LayersOfSize(size);
    if (layers.outer)
        PaintDisc(image, {20, 20}, layers.outer, Outer);
    if (layers.middle)
        PaintDisc(image, {20, 20}, layers.middle, Middle);
    PaintDisc(image, {20, 20}, layers.core, Core);
    QCOMPARE(countColour(image, Core), core);
    QCOMPARE(countColour(image, Middle), middle);
    QCOMPARE(countColour(image, Outer), outer);
}

void TestSkyPictures::discsAndPointStars_data()
{
    QTest::addColumn<int>("view");
    QTest::newRow("view 1") << 0;
    QTest::newRow("view 2") << 1;
}

void TestSkyPictures::discsAndPointStars()
{
    QFETCH(int, view);
    const QImage sky = BuildSkyPicture(SkyView(view));
    for (const TypedDisc &d : view == 0 ? DiscsOne : DiscsTwo) {
        const int r = d.size / 2;
        const QString where = QStringLiteral("disc of size %1 on (%2, %3)").arg(d.size).arg(d.x).arg(d.y);
        // The centre row spans the whole diameter, in the colour of the outermost layer.
        const QRgb rim = d.size >= 8 ? Outer : d.size == 6 ? Middle : Core;
        QVERIFY2(same(sky.pixel(d.x, d.y), Core) && same(sky.pixel(d.x - r, d.y), rim)
                     && same(sky.pixel(d.x + r - 1, d.y), rim),
                 qPrintable(where));
        QVERIFY2(isSky(sky.pixel(d.x - r - 1, d.y)) && isSky(sky.pixel(d.x + r, d.y)), qPrintable(where));
        QVERIFY2(!isSky(sky.pixel(d.x, d.y - r)) && !isSky(sky.pixel(d.x - 1, d.y + r - 1)),
                 qPrintable(where));
    }
    for (const QPoint &p : view == 0 ? PointsOne : PointsTwo)
        QVERIFY2(same(sky.pixel(p), Core), qPrintable(QStringLiteral("point star (%1, %2)").arg(p.x()).arg(p.y())));
    if (view == 1) {
        // The brightest pixel of a speck, and a faint one.
        COMPARE_RGB(sky.pixel(271, 33), rgb(157, 199, 211));
        COMPARE_RGB(sky.pixel(251, 83), rgb(9, 11, 12));
    }
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
    QCOMPARE(sky.width() * sky.height() - countColour(sky, qRgb(0, 0, 0)), lit);
    QCOMPARE(countColour(sky, Core), core);
    QCOMPARE(countColour(sky, White), 0);
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
    const std::vector<QLine> &segments = view == 0 ? FigureOne : FigureTwo;
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x) {
            if (plain.pixel(x, y) == figure.pixel(x, y))
                continue;
            COMPARE_RGB(figure.pixel(x, y), White);
            double nearest = 1e9;
            for (const QLine &segment : segments)
                nearest = std::min(nearest, distanceToSegment({x + 0.5, y + 0.5}, segment));
            QVERIFY2(nearest <= 1.0, qPrintable(QStringLiteral("(%1, %2) is %3 from every line")
                                                    .arg(x).arg(y).arg(nearest)));
        }
    // Every segment is white along its whole length, on both sides.
    for (const QLine &segment : segments) {
        const QPointF a = segment.p1(), b = segment.p2();
        const QPointF d = b - a;
        const QPointF normal = QPointF(-d.y(), d.x()) / std::sqrt(QPointF::dotProduct(d, d));
        for (int step = 0; step <= 40; ++step) {
            const QPointF p = a + d * (step / 40.0);
            for (const double side : {-0.25, 0.25}) {
                const QPointF q = p + side * normal;
                COMPARE_RGB(figure.pixel(int(std::floor(q.x())), int(std::floor(q.y()))), White);
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

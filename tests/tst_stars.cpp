// Star selection, sky views, constellation figures and link lines, with real
// clicks and grabs of the real window.

#include "test_support.h"

#include "colour_ramp.h"
#include "spectrum_strips.h"
#include "touch_input.h"

#include <QScopeGuard>
#include <QTest>
#include <cmath>
#include <map>

namespace {

constexpr QRgb White = qRgb(255, 255, 255);
constexpr QRgb Grey = qRgb(128, 128, 128);
constexpr QRgb Black = qRgb(0, 0, 0);
constexpr QRgb AbsorptionColour = qRgb(127, 0, 85);
const QRect Sky(544, 16, 409, 329);
const QPoint StripPoint(420, 430);

struct StarCase
{
    bool secondView;
    QPoint click;                      // a point inside the star's hot spot
    QPoint linkStart;
    QPoint eraseEnd;
    int eraseWidth;
    std::vector<std::pair<int, int>> lines; // wavelength, width
};

const std::map<QString, StarCase> &stars()
{
    static const std::map<QString, StarCase> table = {
        {"Vega", {false, {611, 84}, {605, 90}, {542, 205}, 4,
                  {{450, 1}, {470, 1}, {560, 1}, {603, 1}, {642, 1}, {668, 1}, {412, 1}, {433, 1},
                   {485, 1}, {653, 2}, {671, 1}, {610, 1}}}},
        {"Deneb", {false, {740, 264}, {730, 265}, {582, 347}, 8,
                   {{467, 3}, {498, 1}, {438, 1}, {489, 6}, {532, 7}, {589, 1}, {450, 1}, {470, 1},
                    {560, 1}, {603, 1}, {642, 1}, {668, 1}}}},
        {"Betelgeuse", {true, {881, 327}, {872, 330}, {804, 346}, 5,
                        {{412, 1}, {433, 1}, {485, 1}, {653, 2}, {671, 1}, {610, 1}, {438, 1},
                         {489, 6}, {532, 7}, {405, 1}, {436, 1}, {546, 1}, {577, 3}, {615, 1}}}},
        {"Pollux", {true, {668, 166}, {658, 175}, {540, 300}, 8,
                    {{431, 1}, {423, 1}, {445, 1}, {585, 2}, {612, 1}, {616, 1}, {644, 1}, {646, 1},
                     {672, 1}, {715, 1}, {733, 1}, {438, 1}, {489, 6}, {532, 7}, {467, 3}, {498, 1}}}},
    };
    return table;
}

// Points along a link line, a little away from both ends.
std::vector<QPoint> alongLink(QPoint start)
{
    std::vector<QPoint> points;
    const QPointF a = start, b = StripPoint;
    for (int step = 2; step <= 98; ++step) {
        const QPointF p = a + (b - a) * (step / 100.0);
        points.emplace_back(int(std::floor(p.x())), int(std::floor(p.y())));
    }
    return points;
}

bool same(QRgb a, QRgb b) { return (a | 0xff000000u) == (b | 0xff000000u); }

double distanceToSegment(QPointF p, QPointF a, QPointF b)
{
    const QPointF d = b - a;
    const double t = std::clamp(QPointF::dotProduct(p - a, d) / QPointF::dotProduct(d, d), 0.0, 1.0);
    const QPointF q = a + t * d - p;
    return std::sqrt(QPointF::dotProduct(q, q));
}

QString partnerOf(const QString &star)
{
    static const std::map<QString, QString> partners = {
        {"Vega", "Deneb"}, {"Deneb", "Vega"}, {"Betelgeuse", "Pollux"}, {"Pollux", "Betelgeuse"}};
    return partners.at(star);
}

} // namespace

class TestStars : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { m_shown.reset(); }

    void starSelected_data();
    void starSelected();
    void thenItsPartner_data() { starSelected_data(); }
    void thenItsPartner();
    void twiceErasesItsLink_data() { starSelected_data(); }
    void twiceErasesItsLink();
    void thenOtherConstellation_data() { starSelected_data(); }
    void thenOtherConstellation();
    void figuresThenOtherConstellationTwice();
    void figuresOnBothViews();
    void figuresShownThenVega();
    void hiddenHotSpotsDoNotReact();
    void rightAndMiddleReleasesActLikeLeft_data();
    void rightAndMiddleReleasesActLikeLeft();
    void leftPressBelongsToTheHotSpot();
    void releaseOverAHotSpotAfterAPressElsewhere();
    void doubleClickTogglesTwice();
    void touchWithinAFingersReach_data();
    void touchWithinAFingersReach();

private:
    void selectView(bool second);
    void compareContinuum(const QImage &shot, const std::vector<std::pair<int, int>> &lines);
    std::unique_ptr<ShownForm> m_shown;
    QImage m_start;
};

void TestStars::init()
{
    m_shown = std::make_unique<ShownForm>();
    m_start = m_shown->grab();
}

void TestStars::selectView(bool second)
{
    if (second != m_shown->form->state().SkyViewTwoCurrent)
        m_shown->clickControl("BitBtn3");
}

void TestStars::compareContinuum(const QImage &shot, const std::vector<std::pair<int, int>> &lines)
{
    std::vector<bool> dark(ContinuumWidth, false);
    for (const auto &[wavelength, width] : lines)
        for (int k = 1; k <= width; ++k)
            dark[wavelength + k - 380] = true;
    for (int x = 0; x < ContinuumWidth; ++x) {
        const QRgb expected = dark[x] ? AbsorptionColour : *SpectrumColour(ContinuumLastStepOfColumn(x));
        for (const int y : {0, 72})
            if (!same(shot.pixel(16 + x, 408 + y), expected))
                QFAIL(qPrintable(QStringLiteral("continuum column %1 is %2, expected %3")
                                     .arg(x).arg(colourText(shot.pixel(16 + x, 408 + y)),
                                                 colourText(expected))));
    }
}

void TestStars::starSelected_data()
{
    QTest::addColumn<QString>("star");
    for (const auto &[name, star] : stars())
        QTest::newRow(qPrintable(name)) << name;
}

void TestStars::starSelected()
{
    QFETCH(QString, star);
    const StarCase &record = stars().at(star);
    selectView(record.secondView);
    m_shown->click(record.click);
    const QImage shot = m_shown->grab();
    compareContinuum(shot, record.lines);
    for (const QPoint &p : alongLink(record.linkStart))
        QVERIFY2(same(shot.pixel(p), White),
                 qPrintable(QStringLiteral("link pixel (%1, %2)").arg(p.x()).arg(p.y())));
    COMPARE_RGB(shot.pixel(record.linkStart), White);
    QVERIFY(!m_shown->control("BitBtn6")->isEnabled());
    int selected = 0;
    for (const bool flag : m_shown->form->state().StarSelected)
        selected += flag;
    QCOMPARE(selected, 1);
}

void TestStars::thenItsPartner()
{
    QFETCH(QString, star);
    const StarCase &first = stars().at(star);
    const StarCase &second = stars().at(partnerOf(star));
    selectView(first.secondView);
    m_shown->click(first.click);
    m_shown->click(second.click);
    const QImage shot = m_shown->grab();
    const LessonState &state = m_shown->form->state();
    int selected = 0;
    for (const bool flag : state.StarSelected)
        selected += flag;
    QCOMPARE(selected, 1);
    compareContinuum(shot, second.lines);
    // The partner's link is erased before the new one is drawn: the new link
    // is whole, up to its end beside the strip.
    for (const QPoint &p : alongLink(second.linkStart))
        COMPARE_RGB(shot.pixel(p), White);
    COMPARE_RGB(shot.pixel(StripPoint), White);
    COMPARE_RGB(shot.pixel(StripPoint - QPoint(1, 1)), White);
    // The first link: black over the sky, grey over the background, except
    // where the new link crosses it.
    for (const QPoint &p : alongLink(first.linkStart)) {
        if (distanceToSegment(p, second.linkStart, StripPoint) < 3)
            continue;
        if (Sky.adjusted(3, 3, -3, -3).contains(p))
            COMPARE_RGB(shot.pixel(p), Black);
        else if (!Sky.adjusted(-4, -4, 4, 4).contains(p))
            COMPARE_RGB(shot.pixel(p), Grey);
    }
    QVERIFY(!m_shown->control("BitBtn6")->isEnabled());
}

void TestStars::twiceErasesItsLink()
{
    QFETCH(QString, star);
    const StarCase &record = stars().at(star);
    selectView(record.secondView);
    const QImage before = m_shown->grab();
    m_shown->click(record.click);
    m_shown->click(record.click);
    const QImage shot = m_shown->grab();
    compareContinuum(shot, {});
    QVERIFY(m_shown->control("BitBtn6")->isEnabled());
    QVERIFY(!m_shown->form->state().anyStarSelected());
    // No pixel of the white link is left anywhere. What changed is the black
    // stroke along the link, or the grey stroke of the star's width from the
    // strip point to its erase end, with round ends.
    int greyInSky = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) {
            if (same(shot.pixel(x, y), before.pixel(x, y)))
                continue;
            const QRgb now = shot.pixel(x, y);
            const QPointF centre(x + 0.5, y + 0.5);
            const QString where = QStringLiteral("(%1, %2) became %3").arg(x).arg(y).arg(colourText(now));
            if (same(now, Grey)) {
                QVERIFY2(distanceToSegment(centre, StripPoint, record.eraseEnd) <= record.eraseWidth / 2.0 + 0.8,
                         qPrintable(where));
                greyInSky += Sky.contains(x, y);
            } else {
                QVERIFY2(same(now, Black), qPrintable(where));
                QVERIFY2(distanceToSegment(centre, record.linkStart, StripPoint) <= 1.8, qPrintable(where));
                // Away from the sky's edge the black stroke never shows on the grey.
                QVERIFY2(Sky.adjusted(-3, -3, 3, 3).contains(x, y), qPrintable(where));
            }
        }
    // The round end of the wide grey stroke reaches into the sky's edge.
    const double gap = record.eraseEnd.x() < Sky.left() ? Sky.left() + 0.5 - record.eraseEnd.x()
                                                        : record.eraseEnd.y() - Sky.bottom() - 0.5;
    if (gap < record.eraseWidth / 2.0)
        QVERIFY(greyInSky > 0);
    if (star == QLatin1String("Vega")) {
        // The point star under Vega's link stays black until that part is repainted.
        COMPARE_RGB(before.pixel(587, 120), rgb(157, 199, 211));
        COMPARE_RGB(shot.pixel(587, 120), Black);
    }
}

void TestStars::thenOtherConstellation()
{
    QFETCH(QString, star);
    const StarCase &record = stars().at(star);
    selectView(record.secondView);
    m_shown->click(record.click);
    m_shown->clickControl("BitBtn3");
    const QImage shot = m_shown->grab();
    const LessonState &state = m_shown->form->state();
    QVERIFY(!state.anyStarSelected());
    QCOMPARE(state.SkyViewOneCurrent, record.secondView);
    QCOMPARE(state.SkyViewTwoCurrent, !record.secondView);
    QVERIFY(m_shown->control("BitBtn6")->isEnabled());
    QCOMPARE(m_shown->control("Image2")->isVisible(), record.secondView);
    QCOMPARE(m_shown->control("Image4")->isVisible(), !record.secondView);
    QCOMPARE(m_shown->control("shape9")->isVisible() && m_shown->control("Shape10")->isVisible(), record.secondView);
    QCOMPARE(m_shown->control("Shape1")->isVisible() || m_shown->control("Shape11")->isVisible(), !record.secondView);
    compareContinuum(shot, {});
    // The sky is repainted clean once the handler is done, erase strokes and
    // their round ends included: the new view exactly as a fresh window shows it.
    ShownForm fresh;
    if (!record.secondView)
        fresh.clickControl("BitBtn3");
    const QImage clean = fresh.grab();
    for (int y = Sky.top(); y <= Sky.bottom(); ++y)
        for (int x = Sky.left(); x <= Sky.right(); ++x)
            if (!same(shot.pixel(x, y), clean.pixel(x, y)))
                QFAIL(qPrintable(QStringLiteral("sky pixel (%1, %2) differs").arg(x).arg(y)));
    for (const QPoint &p : alongLink(record.linkStart))
        QVERIFY(!same(shot.pixel(p), White));
}

void TestStars::figuresThenOtherConstellationTwice()
{
    m_shown->clickControl("BitBtn6");
    QVERIFY(m_shown->control("Image6")->isVisible());
    QVERIFY(m_shown->control("Label4")->isVisible() && m_shown->control("Label5")->isVisible());
    m_shown->clickControl("BitBtn3");
    QVERIFY(m_shown->control("Image4")->isVisible());
    QVERIFY(!m_shown->control("Label6")->isVisible());
    m_shown->clickControl("BitBtn3");
    QVERIFY(m_shown->control("Image2")->isVisible());
    for (const char *name : {"Image6", "Image4", "Image5", "Label4", "Label5", "Label6"})
        QVERIFY2(!m_shown->control(name)->isVisible(), name);
    const QImage shot = m_shown->grab();
    for (int y = Sky.top(); y <= Sky.bottom(); y += 3)
        for (int x = Sky.left(); x <= Sky.right(); x += 3)
            QVERIFY(same(shot.pixel(x, y), m_start.pixel(x, y)));
}

void TestStars::figuresOnBothViews()
{
    for (const bool second : {false, true}) {
        selectView(second);
        const char *plain = second ? "Image4" : "Image2";
        const char *figure = second ? "Image5" : "Image6";
        const QImage before = m_shown->grab();
        m_shown->clickControl("BitBtn6");
        QVERIFY(m_shown->control(figure)->isVisible());
        QVERIFY(!m_shown->control(plain)->isVisible());
        const QImage with = m_shown->grab();
        int white = 0;
        for (int y = Sky.top(); y <= Sky.bottom(); ++y)
            for (int x = Sky.left(); x <= Sky.right(); ++x)
                if (!same(with.pixel(x, y), before.pixel(x, y)))
                    white += same(with.pixel(x, y), White);
        QVERIFY(white > 500);
        // The constellation names: white text on their own backgrounds.
        struct Name { QRect rect; QRgb background; };
        const std::vector<Name> names = second
            ? std::vector<Name>{{{832, 200, 38, 13}, rgb(64, 0, 64)}}
            : std::vector<Name>{{{592, 32, 28, 13}, rgb(64, 0, 64)}, {{760, 168, 37, 13}, Black}};
        for (const Name &name : names) {
            COMPARE_RGB(with.pixel(name.rect.topLeft()), name.background);
            COMPARE_RGB(with.pixel(name.rect.bottomRight()), name.background);
            // Every pixel is the background blended with white, and the
            // brightest is nearly white: smoothed white text.
            double brightest = 0;
            const QRgb bg = name.background;
            for (int y = name.rect.top(); y <= name.rect.bottom(); ++y)
                for (int x = name.rect.left(); x <= name.rect.right(); ++x) {
                    const QRgb c = with.pixel(x, y);
                    const double t = double(qGreen(c) - qGreen(bg)) / (255 - qGreen(bg));
                    brightest = std::max(brightest, t);
                    QVERIFY2(std::abs(qRed(c) - (qRed(bg) + t * (255 - qRed(bg)))) <= 3
                                 && std::abs(qBlue(c) - (qBlue(bg) + t * (255 - qBlue(bg)))) <= 3,
                             qPrintable(colourText(c)));
                }
            QVERIFY(brightest > 0.9);
        }
        m_shown->clickControl("BitBtn6");
        QVERIFY(m_shown->control(plain)->isVisible());
        QVERIFY(!m_shown->control(figure)->isVisible());
        for (const char *label : {"Label4", "Label5", "Label6"})
            QVERIFY(!m_shown->control(label)->isVisible());
        QCOMPARE(m_shown->grab().copy(Sky), before.copy(Sky));
    }
}

void TestStars::figuresShownThenVega()
{
    m_shown->clickControl("BitBtn6");
    m_shown->click(stars().at("Vega").click);
    QVERIFY(m_shown->form->state().starSelected(Star::Vega));
    QVERIFY(!m_shown->control("BitBtn6")->isEnabled());
    compareContinuum(m_shown->grab(), stars().at("Vega").lines);
}

void TestStars::hiddenHotSpotsDoNotReact()
{
    m_shown->click(stars().at("Pollux").click);
    m_shown->click(stars().at("Betelgeuse").click, Qt::RightButton);
    QVERIFY(!m_shown->form->state().anyStarSelected());
    selectView(true);
    m_shown->click(stars().at("Vega").click);
    m_shown->click(stars().at("Deneb").click);
    QVERIFY(!m_shown->form->state().anyStarSelected());
    compareContinuum(m_shown->grab(), {});
}

void TestStars::rightAndMiddleReleasesActLikeLeft_data()
{
    QTest::addColumn<int>("button");
    QTest::newRow("right") << int(Qt::RightButton);
    QTest::newRow("middle") << int(Qt::MiddleButton);
}

void TestStars::rightAndMiddleReleasesActLikeLeft()
{
    QFETCH(int, button);
    m_shown->click(stars().at("Vega").click, Qt::MouseButton(button));
    QVERIFY(m_shown->form->state().starSelected(Star::Vega));
    compareContinuum(m_shown->grab(), stars().at("Vega").lines);
    m_shown->click(stars().at("Vega").click, Qt::MouseButton(button));
    QVERIFY(!m_shown->form->state().anyStarSelected());
}

void TestStars::leftPressBelongsToTheHotSpot()
{
    m_shown->press(stars().at("Vega").click);
    m_shown->release({700, 300});
    QVERIFY(m_shown->form->state().starSelected(Star::Vega));
    // A right press on Vega released over the sky acts on what lies there: nothing.
    m_shown->press(stars().at("Vega").click, Qt::RightButton);
    m_shown->release({700, 300}, Qt::RightButton);
    QVERIFY(m_shown->form->state().starSelected(Star::Vega));
}

void TestStars::releaseOverAHotSpotAfterAPressElsewhere()
{
    // A right release acts on the hot spot under the pointer, whatever was pressed.
    m_shown->press({700, 300}, Qt::RightButton);
    m_shown->release(stars().at("Deneb").click, Qt::RightButton);
    QVERIFY(m_shown->form->state().starSelected(Star::Deneb));
    // A left press elsewhere belongs to where it was pressed.
    m_shown->press({700, 300});
    m_shown->release(stars().at("Vega").click);
    QVERIFY(m_shown->form->state().starSelected(Star::Deneb));
    QVERIFY(!m_shown->form->state().starSelected(Star::Vega));
}

void TestStars::doubleClickTogglesTwice()
{
    QTest::mouseMove(m_shown->window(), stars().at("Vega").click);
    QTest::mouseDClick(m_shown->window(), Qt::LeftButton, {}, stars().at("Vega").click);
    QCoreApplication::processEvents();
    QVERIFY(!m_shown->form->state().anyStarSelected());
    compareContinuum(m_shown->grab(), {});
    QVERIFY(m_shown->control("BitBtn6")->isEnabled());
}

void TestStars::touchWithinAFingersReach_data()
{
    // The hot spots: Vega 608..621 x 80..88, Deneb 733..752 x 256..272,
    // Pollux 662..676 x 160..174, Betelgeuse 872..888 x 320..336.
    QTest::addColumn<bool>("secondView");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QString>("star"); // the hot spot a finger there picks, if any
    QTest::addColumn<int>("shown");    // how many times larger than the screen's pixels
    QTest::newRow("on Vega") << false << QPoint(614, 84) << "Shape10" << 1;
    QTest::newRow("20 px right of Vega") << false << QPoint(641, 84) << "Shape10" << 1;
    QTest::newRow("24 px above Vega") << false << QPoint(614, 56) << "Shape10" << 1;
    QTest::newRow("30 px right of Vega") << false << QPoint(651, 84) << "" << 1;
    QTest::newRow("20 px from Vega's corner, diagonally") << false << QPoint(636, 101) << "Shape10" << 1;
    QTest::newRow("25 px from Vega's corner, diagonally") << false << QPoint(640, 105) << "" << 1;
    QTest::newRow("22 px below Deneb") << false << QPoint(743, 294) << "shape9" << 1;
    QTest::newRow("20 px left of Pollux") << true << QPoint(642, 167) << "Shape1" << 1;
    QTest::newRow("where Vega is hidden") << true << QPoint(614, 84) << "" << 1;
    QTest::newRow("12 px right of and below Betelgeuse") << true << QPoint(900, 348) << "Shape11" << 1;
    // Full screen on a projector: the finger's reach is measured on the screen.
    QTest::newRow("12 px right of Vega, twice as large") << false << QPoint(633, 84) << "Shape10" << 2;
    QTest::newRow("14 px right of Vega, twice as large") << false << QPoint(635, 84) << "" << 2;
}

void TestStars::touchWithinAFingersReach()
{
    // A finger picks a star from near it; the window then shows what a click
    // on the star shows. The mouse's hot spots stay as they are.
    QFETCH(bool, secondView);
    QFETCH(QPoint, at);
    QFETCH(QString, star);
    QFETCH(int, shown);
    ShownMagnification() = shown;
    const auto normal = qScopeGuard([] { ShownMagnification() = 1; });
    ShownForm clicked;
    if (secondView)
        clicked.clickControl("BitBtn3");
    selectView(secondView);
    if (!star.isEmpty())
        clicked.clickControl(qPrintable(star));
    const bool onIt = !star.isEmpty() && m_shown->control(qPrintable(star))->geometry().contains(at);
    m_shown->click(at);
    QCOMPARE(m_shown->form->state().anyStarSelected(), onIt);
    if (onIt)
        m_shown->click(at);
    m_shown->tap(at);
    QCOMPARE(m_shown->form->state().StarSelected, clicked.form->state().StarSelected);
    QCOMPARE(m_shown->grabWithoutButtons(), clicked.grabWithoutButtons());
}

QTEST_MAIN(TestStars)
#include "tst_stars.moc"

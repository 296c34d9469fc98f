// Element comparison: the eight buttons lay their lines on the reference strip.

#include "test_support.h"

#include "bar.h"

#include <QPushButton>
#include <QTest>
#include <map>

namespace {

struct Expected
{
    int first;
    int last;
    QRgb colour;
};

// Every line of every element on the reference strip, as a pupil reads it.
const std::map<QString, std::vector<Expected>> &expectedLines()
{
    static const std::map<QString, std::vector<Expected>> lines = {
        {"BitBtn1", {{33, 33, qRgb(68, 82, 255)}, {54, 54, qRgb(47, 135, 255)},
                     {106, 106, qRgb(13, 255, 242)}, {274, 275, qRgb(255, 69, 0)}}},
        {"Button1", {{292, 292, qRgb(255, 23, 0)}, {231, 231, qRgb(255, 179, 0)}}},
        {"BitBtn2", {{210, 210, qRgb(255, 232, 0)}}},
        {"Button2", {{59, 59, qRgb(42, 148, 255)}, {110, 115, qRgb(23, 255, 232)},
                     {153, 159, qRgb(133, 255, 122)}}},
        {"Button3", {{26, 26, qRgb(75, 64, 255)}, {57, 57, qRgb(44, 143, 255)},
                     {167, 167, qRgb(168, 255, 87)}, {198, 200, qRgb(247, 255, 8)},
                     {236, 236, qRgb(255, 166, 0)}}},
        {"Button4", {{71, 71, qRgb(30, 178, 255)}, {91, 91, qRgb(10, 230, 255)},
                     {181, 181, qRgb(204, 255, 51)}, {224, 224, qRgb(255, 196, 0)},
                     {263, 263, qRgb(255, 97, 0)}, {289, 289, qRgb(255, 31, 0)}}},
        {"BitBtn4", {{88, 90, qRgb(13, 222, 255)}, {119, 119, qRgb(46, 255, 209)}}},
        {"Button5", {{265, 265, qRgb(255, 92, 0)}, {267, 267, qRgb(255, 87, 0)},
                     {293, 293, qRgb(255, 20, 0)}, {336, 336, qRgb(211, 0, 29)},
                     {354, 354, qRgb(187, 0, 45)}, {207, 208, qRgb(255, 240, 0)},
                     {52, 52, qRgb(49, 130, 255)}, {44, 44, qRgb(57, 110, 255)},
                     {233, 233, qRgb(255, 173, 0)}, {66, 66, qRgb(35, 166, 255)},
                     {237, 237, qRgb(255, 163, 0)}}},
    };
    return lines;
}

const std::map<QString, QString> &indicators()
{
    static const std::map<QString, QString> bars = {
        {"BitBtn1", "Shape2"}, {"Button1", "Shape3"}, {"BitBtn2", "Shape4"}, {"Button2", "Shape5"},
        {"Button3", "Shape6"}, {"Button4", "Shape7"}, {"BitBtn4", "Shape8"}, {"Button5", "Shape12"},
    };
    return bars;
}

// The reference strip a pupil should see with these buttons switched on.
std::vector<QRgb> expectedStrip(const QStringList &on)
{
    std::vector<QRgb> columns(401, qRgb(0, 0, 0));
    for (const QString &button : on)
        for (const Expected &line : expectedLines().at(button))
            for (int x = line.first; x <= line.last; ++x)
                columns[x] = line.colour;
    return columns;
}

} // namespace

class TestElements : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_shown = std::make_unique<ShownForm>(); }
    void cleanup() { m_shown.reset(); }

    void elementOnAndOff_data();
    void elementOnAndOff();
    void allOnThenEachOff();
    void ironTitaniumIronOff();
    void unfilledBarBecomesSolid();
    void keyboardActivates_data();
    void keyboardActivates();
    void starsAndViewsLeaveTheStripAlone();
    void tapsDoWhatClicksDo();

private:
    void compareStrip(const QStringList &on);
    std::unique_ptr<ShownForm> m_shown;
};

void TestElements::compareStrip(const QStringList &on)
{
    const std::vector<QRgb> expected = expectedStrip(on);
    const QImage shot = m_shown->grab();
    for (int x = 0; x < 401; ++x)
        for (const int y : {0, 36, 72})
            if ((shot.pixel(16 + x, 288 + y) | 0xff000000u) != (expected[x] | 0xff000000u))
                QFAIL(qPrintable(QStringLiteral("column %1 row %2 is %3, expected %4 with %5 on")
                                     .arg(x).arg(y).arg(colourText(shot.pixel(16 + x, 288 + y)),
                                                        colourText(expected[x]), on.join(','))));
}

void TestElements::elementOnAndOff_data()
{
    QTest::addColumn<QString>("button");
    for (const auto &[button, lines] : expectedLines())
        QTest::newRow(qPrintable(button)) << button;
}

void TestElements::elementOnAndOff()
{
    QFETCH(QString, button);
    Bar *bar = m_shown->control<Bar>(qPrintable(indicators().at(button)));
    m_shown->clickControl(qPrintable(button));
    compareStrip({button});
    QVERIFY(bar->filled());
    COMPARE_RGB(bar->fillColor().rgb(), rgb(255, 0, 0));
    const QImage on = m_shown->grab();
    COMPARE_RGB(on.pixel(bar->x() + 5, bar->y() + 4), rgb(255, 0, 0));
    // The bar leaves its last column and row to the window.
    COMPARE_RGB(on.pixel(bar->x() + bar->width() - 1, bar->y() + 4), rgb(128, 128, 128));
    COMPARE_RGB(on.pixel(bar->x() + 5, bar->y() + bar->height() - 1), rgb(128, 128, 128));

    m_shown->clickControl(qPrintable(button));
    compareStrip({});
    COMPARE_RGB(bar->fillColor().rgb(), rgb(128, 128, 128));
}

void TestElements::allOnThenEachOff()
{
    QStringList on;
    for (const auto &[button, lines] : expectedLines()) {
        m_shown->clickControl(qPrintable(button));
        on << button;
    }
    compareStrip(on);
    for (const auto &[button, lines] : expectedLines()) {
        m_shown->clickControl(qPrintable(button));
        on.removeAll(button);
        compareStrip(on);
    }
}

void TestElements::ironTitaniumIronOff()
{
    m_shown->clickControl("Button2");
    m_shown->clickControl("BitBtn4");
    m_shown->clickControl("Button2");
    compareStrip({"BitBtn4"});
    const LessonState &state = m_shown->form->state();
    QVERIFY(state.elementShown(Element::Titanium));
    QVERIFY(!state.elementShown(Element::Iron));
}

void TestElements::unfilledBarBecomesSolid()
{
    Bar *bar = m_shown->control<Bar>("Shape5");
    COMPARE_RGB(m_shown->grab().pixel(310, 228), rgb(128, 128, 128));
    QVERIFY(!bar->filled());
    m_shown->clickControl("Button2");
    COMPARE_RGB(m_shown->grab().pixel(310, 228), rgb(255, 0, 0));
    m_shown->clickControl("Button2");
    QVERIFY(bar->filled());
    COMPARE_RGB(bar->fillColor().rgb(), rgb(128, 128, 128));
    QVERIFY(bar->isVisible());
}

void TestElements::keyboardActivates_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("space") << int(Qt::Key_Space);
    QTest::newRow("return") << int(Qt::Key_Return);
    QTest::newRow("enter") << int(Qt::Key_Enter);
}

void TestElements::keyboardActivates()
{
    QFETCH(int, key);
    QWidget *button = m_shown->control("BitBtn2");
    m_shown->form->activateWindow();
    button->setFocus(Qt::TabFocusReason);
    QTest::keyClick(button, Qt::Key(key));
    QVERIFY(m_shown->form->state().elementShown(Element::Sodium));
    compareStrip({"BitBtn2"});
}

void TestElements::starsAndViewsLeaveTheStripAlone()
{
    m_shown->clickControl("BitBtn1");
    m_shown->click({611, 84}); // Vega
    m_shown->clickControl("BitBtn3");
    m_shown->clickControl("BitBtn6");
    compareStrip({"BitBtn1"});
    QVERIFY(m_shown->form->state().elementShown(Element::Hydrogen));
}

void TestElements::tapsDoWhatClicksDo()
{
    // A finger on element switches and the view button, as a pupil's on a
    // tablet: the same window as the same clicks.
    ShownForm clicked;
    for (const char *name : {"BitBtn1", "Button5", "BitBtn3", "Button5"}) {
        clicked.clickControl(name);
        m_shown->tap(m_shown->control(name)->geometry().center());
    }
    QCOMPARE(m_shown->form->state().ElementShown, clicked.form->state().ElementShown);
    QCOMPARE(m_shown->form->state().SkyViewTwoCurrent, true);
    QCOMPARE(m_shown->grabWithoutButtons(), clicked.grabWithoutButtons());
}

QTEST_MAIN(TestElements)
#include "tst_elements.moc"

// What a screen reader learns of the three windows through Qt's accessibility
// framework, and what the keyboard alone can do.

#include "test_support.h"

#include "Unit2.h"
#include "Unit3.h"

#include <QAccessible>
#include <QLabel>
#include <QSignalSpy>

namespace {
QAccessibleInterface *of(QObject *object) { return QAccessible::queryAccessibleInterface(object); }

// Every visible control below the interface has a role and a name; nothing
// in the tree is a link-line layer or an indicator bar.
void everyControlNamed(QAccessibleInterface *parent)
{
    for (int i = 0; i < parent->childCount(); ++i) {
        QAccessibleInterface *child = parent->child(i);
        const QString what = child->object()->objectName() + QLatin1Char(' ') + child->object()->metaObject()->className();
        QVERIFY2(!child->object()->inherits("LinkSurface") && !child->object()->inherits("Bar"), qPrintable(what));
        if (child->state().invisible)
            continue;
        QVERIFY2(child->role() != QAccessible::Client && child->role() != QAccessible::NoRole, qPrintable(what));
        QVERIFY2(!child->text(QAccessible::Name).trimmed().isEmpty(), qPrintable(what));
        if (child->role() == QAccessible::Pane) // Qt's own controls speak for their parts
            everyControlNamed(child);
    }
}

int yellowIn(const QImage &shot, const QRect &rect)
{
    int count = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            count += (shot.pixel(x, y) & 0xffffffu) == 0xffff00u;
    return count;
}
} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT

private slots:
    void tree();
    void controls_data();
    void controls();
    void starsByPressOrKeyboard_data();
    void starsByPressOrKeyboard();
    void sliderSetInOneMove();
    void stripsFramedOutsideForTheKeyboard();
};

void TestAccessibility::tree()
{
    ShownForm shown;
    TForm2 help;
    TAboutBox about;
    help.show();
    about.show();
    for (QWidget *window : {static_cast<QWidget *>(shown.form.get()), static_cast<QWidget *>(&help),
                            static_cast<QWidget *>(&about)}) {
        QVERIFY(!of(window)->text(QAccessible::Name).isEmpty());
        everyControlNamed(of(window));
    }
    // The help text reads line by line.
    QAccessibleTextInterface *text = of(help.findChild<QWidget *>("Memo1"))->textInterface();
    QVERIFY(text);
    int start = 0, end = 0;
    QCOMPARE(text->textAtOffset(60, QAccessible::LineBoundary, &start, &end).trimmed(),
             QStringLiteral("brillantes du ciel ."));
}

void TestAccessibility::controls_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("role");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("checked"); // -1: not checkable
    QTest::addColumn<QString>("text"); // the description, or the value of the slider
    const int box = QAccessible::CheckBox, graphic = QAccessible::Graphic;
    const QString hint = "Choisis l'une des deux étoiles les plus brillantes : clique dessus, "
                         "ou atteins-la avec Tab et appuie sur Espace";
    const QString reference = "Spectres d'émission des éléments", continuum = "Spectre de l'étoile",
                  noStar = "Aucune étoile choisie : spectre continu, sans raie",
                  star = "Étoile : Espace ou Entrée pour la choisir";
    QTest::newRow("element on") << QStringList{"Button2"} << "Button2" << box << "Fer" << 1 << "";
    QTest::newRow("element off again") << QStringList{"Button2", "Button2"} << "Button2" << box << "Fer" << 0 << "";
    QTest::newRow("reference strip, black") << QStringList{} << "Image3" << graphic << reference << -1
                                            << "Aucun élément affiché : aucune raie";
    QTest::newRow("reference strip, hydrogen and lithium") << QStringList{"BitBtn1", "Button1"} << "Image3" << graphic
        << reference << -1 << "Raies d'émission à 412, 433, 485, 610, 653, 671 nm";
    QTest::newRow("continuum, no star") << QStringList{} << "Image1" << graphic << continuum << -1 << noStar;
    QTest::newRow("continuum, Deneb") << QStringList{"shape9"} << "Image1" << graphic << continuum << -1
        << "Spectre de Deneb : raies d'absorption à 438, 450, 467, 470, 489, 498, 532, 560, 589, 603, 642, 668 nm";
    QTest::newRow("continuum, Pollux then the other view") << QStringList{"BitBtn3", "Shape1", "BitBtn3"} << "Image1"
                                                           << graphic << continuum << -1 << noStar;
    QTest::newRow("Vega chosen") << QStringList{"Shape10"} << "Shape10" << box << "Vega" << 1 << star;
    QTest::newRow("Vega after Deneb") << QStringList{"Shape10", "shape9"} << "Shape10" << box << "Vega" << 0 << star;
    QTest::newRow("sky view 1") << QStringList{} << "Image2" << graphic << "Ciel : la Lyre et le Cygne, figures masquées"
                                << -1 << hint;
    QTest::newRow("sky view 2 with figures") << QStringList{"BitBtn3", "BitBtn6"} << "Image5" << graphic
                                             << "Ciel : les Gémeaux et Betelgeuse, figures affichées" << -1 << hint;
    QTest::newRow("figures drawn") << QStringList{"BitBtn6"} << "BitBtn6" << box << "Dessiner la constellation" << 1 << "";
    QTest::newRow("figures, then the other view") << QStringList{"BitBtn6", "BitBtn3"} << "BitBtn6" << box
                                                  << "Dessiner la constellation" << 0 << "";
    QTest::newRow("About") << QStringList{} << "Label2" << int(QAccessible::Button) << "À propos de Quelvara" << -1 << "";
    QTest::newRow("slider") << QStringList{} << "TrackBar1" << int(QAccessible::Slider) << "Curseur de longueur d'onde"
                            << -1 << "379 nm";
}

void TestAccessibility::controls()
{
    QFETCH(QStringList, clicks);
    QFETCH(QString, control);
    QFETCH(int, role);
    QFETCH(QString, name);
    QFETCH(int, checked);
    QFETCH(QString, text);
    ShownForm shown;
    for (const QString &click : clicks)
        shown.clickControl(qPrintable(click));
    QAccessibleInterface *iface = of(shown.control(qPrintable(control)));
    QCOMPARE(int(iface->role()), role);
    QCOMPARE(iface->text(QAccessible::Name), name);
    QVERIFY(!iface->state().invisible);
    QCOMPARE(iface->state().checkable, checked >= 0);
    if (checked >= 0)
        QCOMPARE(int(iface->state().checked), checked);
    QCOMPARE(iface->text(role == QAccessible::Slider ? QAccessible::Value : QAccessible::Description), text);
}

void TestAccessibility::starsByPressOrKeyboard_data()
{
    QTest::addColumn<bool>("secondView");
    QTest::addColumn<QString>("star");
    QTest::addColumn<QString>("hidden"); // a star of the other view
    QTest::addColumn<int>("tabs");       // from the last button
    QTest::newRow("Vega") << false << "Shape10" << "Shape1" << 1;
    QTest::newRow("Deneb") << false << "shape9" << "Shape11" << 2;
    QTest::newRow("Pollux") << true << "Shape1" << "Shape10" << 1;
    QTest::newRow("Betelgeuse") << true << "Shape11" << "shape9" << 2;
}

void TestAccessibility::starsByPressOrKeyboard()
{
    // The same star chosen with the mouse, through its press action and with
    // Tab and Space shows the same window; the focus rectangle shows only
    // while the keyboard put the focus on the star. The mouse session has
    // pressed Tab once before it: the focus "Dessiner la constellation" hands
    // on when a click disables it goes back to the first button.
    QFETCH(bool, secondView);
    QFETCH(QString, star);
    QFETCH(QString, hidden);
    QFETCH(int, tabs);
    ShownForm mouse, pressed, keys;
    mouse.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(mouse.form.get()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    for (ShownForm *shown : {&mouse, &pressed, &keys}) {
        if (secondView)
            shown->clickControl("BitBtn3");
        // The figures on and off: "Dessiner la constellation" keeps the focus,
        // which it passes on when a star disables it.
        shown->clickControl("BitBtn6");
        shown->clickControl("BitBtn6");
    }
    mouse.clickControl(qPrintable(star));
    const QRect spot = mouse.control(qPrintable(star))->geometry();
    QCOMPARE(yellowIn(mouse.grab(), spot), 0);
    QCOMPARE(QApplication::focusWidget(), mouse.control("BitBtn1"));

    QAccessibleInterface *hiddenSpot = of(pressed.control(qPrintable(hidden)));
    QVERIFY(hiddenSpot->actionInterface()->actionNames().isEmpty());
    hiddenSpot->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QVERIFY(!pressed.form->state().anyStarSelected());
    of(pressed.control(qPrintable(star)))->actionInterface()->doAction(QAccessibleActionInterface::pressAction());

    keys.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(keys.form.get()));
    keys.control("BitBtn6")->setFocus(Qt::TabFocusReason);
    for (int i = 0; i < tabs; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), keys.control(qPrintable(star)));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QVERIFY(yellowIn(keys.grab(), spot) > 0);
    keys.control("BitBtn1")->setFocus(Qt::TabFocusReason);

    QCOMPARE(pressed.form->state().StarSelected, mouse.form->state().StarSelected);
    QCOMPARE(keys.form->state().StarSelected, mouse.form->state().StarSelected);
    const QImage expected = mouse.grabWithoutButtons();
    QCOMPARE(pressed.grabWithoutButtons(), expected);
    QCOMPARE(keys.grabWithoutButtons(), expected);
}

void TestAccessibility::sliderSetInOneMove()
{
    // A screen reader's move is one move: one notification to the lesson,
    // and the label shows the wavelength set; set again to the same, one more.
    ShownForm shown;
    auto *slider = static_cast<QAbstractSlider *>(shown.control("TrackBar1"));
    QSignalSpy actions(slider, &QAbstractSlider::actionTriggered);
    of(slider)->valueInterface()->setCurrentValue(500);
    QCOMPARE(actions.count(), 1);
    QCOMPARE(static_cast<QLabel *>(shown.control("Label1"))->text(), QStringLiteral("500 nm"));
    of(slider)->valueInterface()->setCurrentValue(500);
    QCOMPARE(actions.count(), 2);
}

void TestAccessibility::stripsFramedOutsideForTheKeyboard()
{
    // Tab from the last star reaches the emission strip, then the continuum:
    // a dotted frame two pixels out shows on the grey, the strip unchanged.
    ShownForm mouse, keys;
    keys.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(keys.form.get()));
    const QImage plain = mouse.grab();
    keys.control("shape9")->setFocus(Qt::TabFocusReason);
    for (const char *strip : {"Image3", "Image1"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), keys.control(strip));
        const QImage shot = keys.grab();
        const QRect inner = keys.control(strip)->geometry();
        const QRect ring = inner.adjusted(-2, -2, 2, 2);
        QCOMPARE(shot.copy(inner), plain.copy(inner));
        int dark = 0, grey = 0;
        for (int y = ring.top(); y <= ring.bottom(); ++y)
            for (int x = ring.left(); x <= ring.right(); ++x) {
                if (inner.contains(x, y))
                    continue;
                QCOMPARE(plain.pixel(x, y) & 0xffffffu, 0x808080u);
                const bool onRing = x == ring.left() || x == ring.right() || y == ring.top() || y == ring.bottom();
                const QRgb colour = shot.pixel(x, y) & 0xffffffu;
                dark += onRing && colour == 0;
                grey += colour == 0x808080u;
                QVERIFY(colour == 0 ? onRing : colour == 0x808080u);
            }
        QVERIFY2(dark > 300 && grey > 300, qPrintable(QStringLiteral("%1 dark, %2 grey").arg(dark).arg(grey)));
    }
    // The frame goes with the focus.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    const QImage left = keys.grab();
    for (const char *strip : {"Image3", "Image1"}) {
        const QRect ring = keys.control(strip)->geometry().adjusted(-2, -2, 2, 2);
        QCOMPARE(left.copy(ring), plain.copy(ring));
    }
    // The mouse alone never frames a strip.
    mouse.clickControl("Image1");
    QCOMPARE(mouse.grab(), plain);
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"

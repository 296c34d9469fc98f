// The help window and the About box, shown from the main window.

#include "test_support.h"

#include "Unit2.h"
#include "Unit3.h"
#include "picture.h"
#include "screen_place.h"
#include "star_field.h"

#include <QClipboard>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace {
// The three windows as the program creates them, in the same order.
struct Program
{
    ShownForm main;
    TForm2 Form2;
    TAboutBox AboutBox;

    Program()
    {
        main.form->setHelpWindow(&Form2);
        main.form->setAboutBox(&AboutBox);
    }

    template<typename T = QWidget>
    static T *in(QWidget *window, const char *name)
    {
        T *widget = window->findChild<T *>(QLatin1String(name));
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }
};

int visibleWindowsOf(const char *className)
{
    int count = 0;
    for (QWidget *top : QApplication::topLevelWidgets())
        count += top->isVisible() && top->inherits(className);
    return count;
}
} // namespace

class TestDialogs : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_program = std::make_unique<Program>(); }
    void cleanup() { m_program.reset(); }

    void bothCreatedHidden();
    void helpWindowFrame();
    void helpTextLineByLine_data();
    void helpTextLineByLine();
    void helpTextCannotBeEdited();
    void mainWindowStaysUsable();
    void okHidesAndShowsTheSameText_data();
    void okHidesAndShowsTheSameText();
    void aideTwiceLeavesOneWindow();
    void windowsNotMadeYetOpenAtTheFirstPress();
    void okGlyphBackgroundNeverShows();
    void aboutBoxContents();
    void aboutBoxOpensOnAnyButton_data();
    void aboutBoxOpensOnAnyButton();
    void enterHidesTheAboutBox();
    void tapsDoWhatClicksDo();
    void closeBoxOnlyHides();
    void closingTheMainWindowEndsTheProgram_data();
    void closingTheMainWindowEndsTheProgram();

private:
    std::unique_ptr<Program> m_program;
};

void TestDialogs::bothCreatedHidden()
{
    QVERIFY(!m_program->Form2.isVisible());
    QVERIFY(!m_program->AboutBox.isVisible());
}

void TestDialogs::helpWindowFrame()
{
    m_program->main.clickControl("BitBtn5");
    TForm2 &help = m_program->Form2;
    QVERIFY(QTest::qWaitForWindowExposed(&help));
    QVERIFY(help.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(help.pos(), QPoint(40, 190));
    QCOMPARE(help.size(), QSize(422, 349));
    QCOMPARE(Program::in(&help, "Memo1")->geometry(), QRect(16, 8, 385, 305));
    QCOMPARE(Program::in(&help, "Memo1")->font().pixelSize(), 16);
    QCOMPARE(Program::in(&help, "BitBtn1")->geometry(), QRect(168, 320, 75, 25));
    QCOMPARE(Program::in<QPushButton>(&help, "BitBtn1")->text(), QStringLiteral("OK"));
    QVERIFY(!help.isModal());
    // On a page's small screen, the same place from its corner, kept whole on it.
    QCOMPARE(PlaceOnScreen(QRect(160, 244, 959, 536), QPoint(40, 190), help.size()), QPoint(200, 431));
    QCOMPARE(PlaceOnScreen(QRect(0, 0, 300, 200), QPoint(40, 190), help.size()), QPoint(0, 0));
    // A screen beside another, too narrow: against its right-hand and bottom edges.
    QCOMPARE(PlaceOnScreen(QRect(1920, 600, 440, 400), QPoint(40, 190), help.size()), QPoint(1938, 651));
}

void TestDialogs::helpTextLineByLine_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("text");
    const char *lines[] = {
        "1- Au départ clique sur une des étoiles les plus ",
        "brillantes du ciel .",
        "",
        "2- En comparant avec les spectres d'émission des ",
        "éléments , détermine ceux qui sont présents dans ",
        "l'étoile considérée .",
        "",
        "3- Change d'étoile puis de constellation et ",
        "recommence le travail . ",
        "(Tu peux travailler sur quatre étoiles différentes)",
        "",
        "Pour reproduire les schémas à l'échelle tu peux ",
        "mesurer les longueurs d'ondes des différentes raies ",
        "avec l'outil curseur ou en pointant le bord des raies",
    };
    for (int i = 0; i < 14; ++i)
        QTest::addRow("line %d", i + 1) << i << QString::fromUtf8(lines[i]);
}

void TestDialogs::helpTextLineByLine()
{
    QFETCH(int, line);
    QFETCH(QString, text);
    const QStringList lines = Program::in<QPlainTextEdit>(&m_program->Form2, "Memo1")
                                  ->toPlainText().split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 14);
    QCOMPARE(lines.at(line), text);
}

void TestDialogs::helpTextCannotBeEdited()
{
    m_program->main.clickControl("BitBtn5");
    auto *memo = Program::in<QPlainTextEdit>(&m_program->Form2, "Memo1");
    const QString before = memo->toPlainText();
    QVERIFY(memo->isReadOnly());
    memo->setFocus();
    QTest::keyClicks(memo, QStringLiteral("abc"));
    QTest::keyClick(memo, Qt::Key_Backspace);
    QTest::keyClick(memo, Qt::Key_Delete);
    QGuiApplication::clipboard()->setText(QStringLiteral("collé"));
    QTest::keyClick(memo, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(memo, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(memo->toPlainText(), before);
}

void TestDialogs::mainWindowStaysUsable()
{
    m_program->main.clickControl("BitBtn5");
    QVERIFY(m_program->Form2.isVisible());
    m_program->main.clickControl("BitBtn1");
    QVERIFY(m_program->main.form->state().elementShown(Element::Hydrogen));
    QVERIFY(m_program->Form2.isVisible());
}

void TestDialogs::okHidesAndShowsTheSameText_data()
{
    QTest::addColumn<bool>("keys");
    QTest::newRow("AIDE, then OK") << false;
    QTest::newRow("F1, then Esc") << true;
}

void TestDialogs::okHidesAndShowsTheSameText()
{
    QFETCH(bool, keys);
    TForm2 &help = m_program->Form2;
    const auto bringUp = [&] {
        if (keys) {
            // The pupil presses F1 in the main window, which has the focus.
            m_program->main.form->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(m_program->main.form.get()));
            QTest::keyClick(m_program->main.window(), Qt::Key_F1);
        }
        else {
            m_program->main.clickControl("BitBtn5");
        }
    };
    bringUp();
    QVERIFY(QTest::qWaitForWindowExposed(&help));
    const QString text = Program::in<QPlainTextEdit>(&help, "Memo1")->toPlainText();
    auto *ok = Program::in<QPushButton>(&help, "BitBtn1");
    if (keys)
        QTest::keyClick(help.windowHandle(), Qt::Key_Escape);
    else
        QTest::mouseClick(help.windowHandle(), Qt::LeftButton, {}, ok->geometry().center());
    QVERIFY(!help.isVisible());
    QVERIFY(m_program->main.form->isVisible());
    bringUp();
    QVERIFY(help.isVisible());
    QCOMPARE(Program::in<QPlainTextEdit>(&help, "Memo1")->toPlainText(), text);
}

void TestDialogs::aideTwiceLeavesOneWindow()
{
    m_program->main.clickControl("BitBtn5");
    m_program->main.clickControl("BitBtn5");
    QCOMPARE(visibleWindowsOf("TForm2"), 1);
    QCOMPARE(QApplication::topLevelWidgets().count(&m_program->Form2), 1);
}

// In a web page the two windows are made after the first frame; a press
// before then makes them, and opens them.
void TestDialogs::windowsNotMadeYetOpenAtTheFirstPress()
{
    ShownForm main;
    std::unique_ptr<TForm2> help;
    std::unique_ptr<TAboutBox> about;
    main.form->setHelpWindow([&help]() -> QWidget * {
        if (!help)
            help = std::make_unique<TForm2>();
        return help.get();
    });
    main.form->setAboutBox([&about]() -> QWidget * {
        if (!about)
            about = std::make_unique<TAboutBox>();
        return about.get();
    });
    QTest::keyClick(main.form.get(), Qt::Key_F1);
    QVERIFY(help && help->isVisible());
    main.clickControl("Label2");
    QVERIFY(about && about->isVisible());
}

void TestDialogs::okGlyphBackgroundNeverShows()
{
    TForm2 &help = m_program->Form2;
    help.show();
    QVERIFY(QTest::qWaitForWindowExposed(&help));
    auto *ok = Program::in<QPushButton>(&help, "BitBtn1");
    for (const bool enabled : {true, false}) {
        ok->setEnabled(enabled);
        const QImage face = ok->grab().toImage().convertToFormat(QImage::Format_RGB32);
        int purple = 0, red = 0;
        for (int y = 0; y < face.height(); ++y)
            for (int x = 0; x < face.width(); ++x) {
                purple += (face.pixel(x, y) & 0xffffffu) == 0x800080u;
                red += (face.pixel(x, y) & 0xffffffu) == 0xff0000u;
            }
        QCOMPARE(purple, 0);
        QCOMPARE(red > 0, enabled);
    }
}

void TestDialogs::aboutBoxContents()
{
    TAboutBox &about = m_program->AboutBox;
    QCOMPARE(about.windowTitle(), QStringLiteral("A propos"));
    QCOMPARE(about.size(), QSize(298, 213));
    const Qt::WindowFlags flags = about.windowFlags();
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QCOMPARE(Program::in(&about, "Panel1")->geometry(), QRect(8, 8, 281, 161));
    QCOMPARE(Program::in(&about, "ProgramIcon")->geometry(), QRect(8, 8, 65, 57));
    QCOMPARE(Program::in<QLabel>(&about, "ProductName")->text(), QStringLiteral("Torminel"));
    QCOMPARE(Program::in<QLabel>(&about, "Version")->text(), QStringLiteral("Version 1.0"));
    QVERIFY(!Program::in<QLabel>(&about, "Copyright")->text().isEmpty());
    QVERIFY(Program::in<QLabel>(&about, "Comments")->wordWrap());
    QCOMPARE(Program::in(&about, "OKButton")->geometry(), QRect(111, 180, 75, 25));
    QVERIFY(Program::in<QPushButton>(&about, "OKButton")->isDefault());
    // The photograph is shown whole, squeezed into the control.
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    const QImage shown = Program::in(&about, "ProgramIcon")->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown, Picture::stretchByCentreSampling(BuildStarField(), QSize(65, 57)));
}

void TestDialogs::aboutBoxOpensOnAnyButton_data()
{
    QTest::addColumn<int>("button");
    QTest::newRow("left") << int(Qt::LeftButton);
    QTest::newRow("right") << int(Qt::RightButton);
    QTest::newRow("middle") << int(Qt::MiddleButton);
}

void TestDialogs::aboutBoxOpensOnAnyButton()
{
    QFETCH(int, button);
    m_program->main.clickControl("Label2", Qt::MouseButton(button));
    QVERIFY(m_program->AboutBox.isVisible());
    QVERIFY(!m_program->AboutBox.isModal());
    // The main window still takes clicks.
    m_program->main.clickControl("BitBtn2");
    QVERIFY(m_program->main.form->state().elementShown(Element::Sodium));
}

void TestDialogs::enterHidesTheAboutBox()
{
    m_program->main.clickControl("Label2");
    TAboutBox &about = m_program->AboutBox;
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    about.activateWindow();
    QTest::keyClick(&about, Qt::Key_Return);
    QVERIFY(!about.isVisible());
    m_program->main.clickControl("Label2");
    QVERIFY(about.isVisible());
    QTest::mouseClick(Program::in(&about, "OKButton"), Qt::LeftButton);
    QVERIFY(!about.isVisible());
}

void TestDialogs::tapsDoWhatClicksDo()
{
    // A finger on "AIDE", "A propos de ....." and each window's "OK".
    const auto tapIn = [](QWidget *window, const char *name) {
        QWidget *control = Program::in(window, name);
        const QPoint at = control->mapTo(window, control->rect().center());
        QTest::touchEvent(window->windowHandle(), ShownForm::touchScreen()).press(0, at, window->windowHandle());
        QTest::touchEvent(window->windowHandle(), ShownForm::touchScreen()).release(0, at, window->windowHandle());
        QCoreApplication::processEvents();
    };
    for (const auto &[opener, window] : {std::pair<const char *, QWidget *>{"BitBtn5", &m_program->Form2},
                                         std::pair<const char *, QWidget *>{"Label2", &m_program->AboutBox}}) {
        tapIn(m_program->main.form.get(), opener);
        QVERIFY(window->isVisible());
        QVERIFY(QTest::qWaitForWindowExposed(window));
        tapIn(window, window == &m_program->Form2 ? "BitBtn1" : "OKButton");
        QVERIFY(!window->isVisible());
    }
}

void TestDialogs::closeBoxOnlyHides()
{
    bool quitting = false;
    connect(qApp, &QCoreApplication::aboutToQuit, this, [&quitting] { quitting = true; });
    m_program->main.clickControl("Label2");
    m_program->main.clickControl("BitBtn5");
    QVERIFY(m_program->AboutBox.close());
    QVERIFY(m_program->Form2.close());
    QTest::qWait(50);
    QVERIFY(!m_program->AboutBox.isVisible());
    QVERIFY(!m_program->Form2.isVisible());
    QVERIFY(m_program->main.form->isVisible());
    QVERIFY(!quitting);
    m_program->main.clickControl("Label2");
    QVERIFY(m_program->AboutBox.isVisible());
}

void TestDialogs::closingTheMainWindowEndsTheProgram_data()
{
    QTest::addColumn<bool>("quitKey");
    QTest::newRow("close box") << false;
    QTest::newRow("quit key") << true;
}

void TestDialogs::closingTheMainWindowEndsTheProgram()
{
    QFETCH(bool, quitKey);
    m_program->main.clickControl("Label2");
    m_program->main.clickControl("BitBtn5");
    QVERIFY(m_program->AboutBox.isVisible() && m_program->Form2.isVisible());
    TForm1 *form = m_program->main.form.get();
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form));
    QTimer::singleShot(0, form, [form, quitKey] {
        if (quitKey)
            QTest::keyClick(form->windowHandle(), Qt::Key_Q, Qt::ControlModifier);
        else
            form->close();
    });
    QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(1); });
    QCOMPARE(QApplication::exec(), 0);
}

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"

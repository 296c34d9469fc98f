// A long random session on the main window and its two secondary windows,
// checking after every event what the pupil must always see.
//
// QUELVARA_STRESS_SEED replays a session; QUELVARA_STRESS_EVENTS sets its length.

#include "test_support.h"

#include "Unit2.h"
#include "Unit3.h"
#include "bar.h"
#include "colour_ramp.h"
#include "spectrum_strips.h"

#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSlider>
#include <QTest>
#include <deque>
#include <map>
#include <random>

namespace {

const char *const Controls[] = {
    "Label7", "BitBtn1", "BitBtn4", "BitBtn2", "Shape2", "Shape8", "Shape4", "Button4", "Button5",
    "Shape7", "Shape12", "Button3", "Button1", "Button2", "Shape6", "Shape3", "Shape5", "Image3",
    "TrackBar1", "Label1", "Image1", "Label3", "Image2", "Image6", "Image4", "Image5", "Label4",
    "Label5", "Label6", "Shape10", "shape9", "Shape1", "Shape11", "BitBtn3", "BitBtn6", "BitBtn5",
    "Label2",
};

const Qt::Key Keys[] = {Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter,
                        Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_PageUp,
                        Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End, Qt::Key_Escape};

const Qt::MouseButton Buttons[] = {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton};

quint32 seedFromEnvironment()
{
    bool ok = false;
    const quint32 seed = qEnvironmentVariable("QUELVARA_STRESS_SEED").toUInt(&ok);
    return ok ? seed : QRandomGenerator::system()->generate();
}

int eventsFromEnvironment()
{
    bool ok = false;
    const int events = qEnvironmentVariableIntValue("QUELVARA_STRESS_EVENTS", &ok);
    return ok && events > 0 ? events : 20000;
}

QImage expectedContinuum(std::optional<Star> star)
{
    QImage image(ContinuumWidth, StripHeight, QImage::Format_RGB32);
    for (int x = 0; x < ContinuumWidth; ++x) {
        QRgb colour = *SpectrumColour(ContinuumLastStepOfColumn(x));
        if (star)
            for (const SpectralLine &line : StarLines(*star))
                if (x >= line.wavelength - 379 && x <= line.wavelength - 380 + line.width)
                    colour = qRgb(127, 0, 85);
        for (int y = 0; y < StripHeight; ++y)
            image.setPixel(x, y, colour);
    }
    return image;
}

QImage expectedReference(const LessonState &state)
{
    QImage image(ReferenceWidth, StripHeight, QImage::Format_RGB32);
    image.fill(qRgb(0, 0, 0));
    for (const ElementRecord &record : ElementTable)
        if (state.elementShown(record.element))
            for (const SpectralLine &line : record.lines)
                for (int k = 1; k <= line.width; ++k)
                    for (int y = 0; y < StripHeight; ++y)
                        image.setPixel(line.wavelength + k - 380, y,
                                       *SpectrumColour(EmissionColourIndex(line.wavelength)));
    return image;
}

} // namespace

class TestStress : public QObject
{
    Q_OBJECT

private slots:
    void randomSession();

private:
    QString checkInvariants() const;
    void playOne(std::mt19937 &random, QString *description);

    std::unique_ptr<ShownForm> m_shown;
    std::unique_ptr<TForm2> m_help;
    std::unique_ptr<TAboutBox> m_about;
    std::map<int, QImage> m_continuum;
    mutable std::map<unsigned, QImage> m_reference;
};

QString TestStress::checkInvariants() const
{
    const LessonState &state = m_shown->form->state();
    const auto visible = [this](const char *name) { return m_shown->control(name)->isVisible(); };
    if (state.SkyViewOneCurrent == state.SkyViewTwoCurrent)
        return QStringLiteral("not exactly one view flag");
    int selected = 0;
    std::optional<Star> star;
    for (int i = 0; i < StarCount; ++i)
        if (state.StarSelected[std::size_t(i)]) {
            ++selected;
            star = Star(i);
        }
    if (selected > 1)
        return QStringLiteral("%1 stars selected").arg(selected);
    const bool viewOne = state.SkyViewOneCurrent;
    if (star && ((*star == Star::Vega || *star == Star::Deneb) != viewOne))
        return QStringLiteral("a star of the other view is selected");
    if (m_shown->control("BitBtn6")->isEnabled() != (selected == 0))
        return QStringLiteral("\"Dessiner la constellation\" enabled %1 with %2 stars")
            .arg(m_shown->control("BitBtn6")->isEnabled()).arg(selected);

    const char *plain = viewOne ? "Image2" : "Image4";
    const char *figure = viewOne ? "Image6" : "Image5";
    int pictures = 0;
    for (const char *name : {"Image2", "Image6", "Image4", "Image5"})
        pictures += visible(name);
    if (pictures != 1 || !(visible(plain) || visible(figure)))
        return QStringLiteral("%1 sky pictures visible, not the current view's one").arg(pictures);
    const bool figures = visible(figure);
    for (const char *label : {"Label4", "Label5"})
        if (visible(label) != (viewOne && figures))
            return QStringLiteral("%1 disagrees with the figures").arg(label);
    if (visible("Label6") != (!viewOne && figures))
        return QStringLiteral("Label6 disagrees with the figures");
    if (visible("Shape10") != viewOne || visible("shape9") != viewOne || visible("Shape1") == viewOne
        || visible("Shape11") == viewOne)
        return QStringLiteral("hot spots disagree with the view");

    unsigned mask = 0;
    for (int i = 0; i < ElementCount; ++i)
        mask |= unsigned(state.ElementShown[std::size_t(i)]) << i;
    auto found = m_reference.find(mask);
    if (found == m_reference.end())
        found = m_reference.emplace(mask, expectedReference(state)).first;
    if (m_shown->form->reference().image() != found->second)
        return QStringLiteral("the reference strip is not the union of the shown elements");
    for (const ElementRecord &record : ElementTable) {
        const Bar *bar = m_shown->control<Bar>(record.indicator);
        const bool shown = state.elementShown(record.element);
        if (shown ? (!bar->filled() || bar->fillColor() != QColor(255, 0, 0))
                  : (bar->filled() && bar->fillColor() != QColor(128, 128, 128)))
            return QStringLiteral("bar %1 disagrees with its element").arg(record.indicator);
    }
    if (m_shown->form->continuum().image() != m_continuum.at(star ? int(*star) : -1))
        return QStringLiteral("the continuum is not the ramp with the selected star's lines");

    const auto *slider = m_shown->control<QSlider>("TrackBar1");
    const QString reading = m_shown->control<QLabel>("Label1")->text();
    if (reading != QStringLiteral("%1 nm").arg(slider->sliderPosition() - 21))
        return QStringLiteral("Label1 reads %1 with the slider at %2").arg(reading).arg(slider->sliderPosition());
    return {};
}

void TestStress::playOne(std::mt19937 &random, QString *description)
{
    const auto pick = [&random](int n) { return int(random() % unsigned(n)); };
    const auto pointIn = [&](const char *name) {
        const QRect r = m_shown->control(name)->geometry();
        return QPoint(r.left() + pick(r.width()), r.top() + pick(r.height()));
    };
    const auto anyPoint = [&] {
        return pick(3) == 0 ? QPoint(pick(959), pick(536)) : pointIn(Controls[pick(std::size(Controls))]);
    };
    QWindow *window = m_shown->window();
    const Qt::MouseButton button = Buttons[pick(pick(4) == 0 ? 3 : 1)];
    switch (pick(20)) {
    case 0: case 1: case 2: case 3: case 4: case 5: case 6: case 7: case 8: {
        const QPoint at = anyPoint();
        *description = QStringLiteral("click %1 at (%2, %3)").arg(int(button)).arg(at.x()).arg(at.y());
        QTest::mouseMove(window, at);
        QTest::mouseClick(window, button, {}, at);
        break;
    }
    case 9: {
        const QPoint at = anyPoint();
        *description = QStringLiteral("double click %1 at (%2, %3)").arg(int(button)).arg(at.x()).arg(at.y());
        QTest::mouseMove(window, at);
        QTest::mouseDClick(window, button, {}, at);
        break;
    }
    case 10: case 11: {
        const QPoint from = anyPoint(), to = anyPoint();
        *description = QStringLiteral("press %1 at (%2, %3), release at (%4, %5)")
                           .arg(int(button)).arg(from.x()).arg(from.y()).arg(to.x()).arg(to.y());
        QTest::mouseMove(window, from);
        QTest::mousePress(window, button, {}, from);
        QTest::mouseMove(window, (from + to) / 2);
        QTest::mouseMove(window, to);
        QTest::mouseRelease(window, button, {}, to);
        break;
    }
    case 12: case 13: case 14: case 15: {
        const Qt::Key key = Keys[pick(std::size(Keys))];
        QWindow *target = QGuiApplication::focusWindow() ? QGuiApplication::focusWindow() : window;
        *description = QStringLiteral("key %1 to %2").arg(int(key), 0, 16).arg(target->title());
        QTest::keyClick(target, key);
        break;
    }
    case 16: {
        *description = QStringLiteral("focus the slider, then an arrow key");
        m_shown->control("TrackBar1")->setFocus(Qt::TabFocusReason);
        QTest::keyClick(window, pick(2) ? Qt::Key_Right : Qt::Key_PageDown);
        break;
    }
    case 17: {
        *description = QStringLiteral("\"OK\" of the help window");
        if (m_help->isVisible()) {
            const QPoint ok = m_help->findChild<QWidget *>(QStringLiteral("BitBtn1"))->geometry().center();
            QTest::mouseClick(m_help->windowHandle(), Qt::LeftButton, {}, ok);
        }
        break;
    }
    case 18: {
        *description = QStringLiteral("\"OK\" of the About box");
        if (m_about->isVisible()) {
            const QPoint ok = m_about->findChild<QWidget *>(QStringLiteral("OKButton"))->geometry().center();
            QTest::mouseClick(m_about->windowHandle(), Qt::LeftButton, {}, ok);
        }
        break;
    }
    default:
        *description = QStringLiteral("close box of the About box");
        m_about->close();
        break;
    }
    QCoreApplication::processEvents();
}

void TestStress::randomSession()
{
    // The headless platform cannot raise windows and says so each time.
    static QtMessageHandler previous = nullptr;
    previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &context, const QString &message) {
        if (!message.contains(QLatin1String("does not support raise")))
            previous(type, context, message);
    });
    const quint32 seed = seedFromEnvironment();
    const int events = eventsFromEnvironment();
    qInfo("seed %u, %d events (QUELVARA_STRESS_SEED=%u replays this session)", seed, events, seed);

    m_shown = std::make_unique<ShownForm>();
    m_help = std::make_unique<TForm2>();
    m_about = std::make_unique<TAboutBox>();
    m_shown->form->setHelpWindow(m_help.get());
    m_shown->form->setAboutBox(m_about.get());
    m_continuum[-1] = expectedContinuum(std::nullopt);
    for (int i = 0; i < StarCount; ++i)
        m_continuum[i] = expectedContinuum(Star(i));

    std::mt19937 random(seed);
    std::deque<QString> recent;
    QString failure = checkInvariants();
    int played = 0;
    std::map<QString, int> kinds;
    int starChanges = 0, elementChanges = 0, viewChanges = 0, helpShown = 0, aboutShown = 0;
    for (; played < events && failure.isEmpty(); ++played) {
        QString description;
        const LessonState before = m_shown->form->state();
        const bool helpBefore = m_help->isVisible(), aboutBefore = m_about->isVisible();
        playOne(random, &description);
        const LessonState &after = m_shown->form->state();
        starChanges += before.StarSelected != after.StarSelected;
        elementChanges += before.ElementShown != after.ElementShown;
        viewChanges += before.SkyViewOneCurrent != after.SkyViewOneCurrent;
        helpShown += !helpBefore && m_help->isVisible();
        aboutShown += !aboutBefore && m_about->isVisible();
        ++kinds[description.section(QLatin1Char(' '), 0, 1)];
        recent.push_back(description);
        if (recent.size() > 12)
            recent.pop_front();
        failure = checkInvariants();
    }
    if (!failure.isEmpty()) {
        QStringList last(recent.begin(), recent.end());
        QFAIL(qPrintable(QStringLiteral("after event %1 of seed %2: %3\nlast events:\n  %4")
                             .arg(played).arg(seed).arg(failure, last.join(QLatin1String("\n  ")))));
    }
    QCOMPARE(played, events);
    qInfo("%d events changed the stars, %d the elements, %d the view; the help window opened %d "
          "times, the About box %d times",
          starChanges, elementChanges, viewChanges, helpShown, aboutShown);
    // The session reached every part of the lesson.
    QVERIFY(kinds.size() > 8);
    if (events >= 5000) {
        QVERIFY(starChanges > events / 200);
        QVERIFY(elementChanges > events / 200);
        QVERIFY(viewChanges > events / 400);
        QVERIFY(helpShown > 0 && aboutShown > 0);
    }
}

QTEST_MAIN(TestStress)
#include "tst_stress.moc"

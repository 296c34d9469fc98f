#include "Unit1.h"

#include "ui_Unit1.h"

#include "accessible_widgets.h"
#include "announcer.h"
#include "focus_ring.h"
#include "keyboard_focus.h"
#include "lesson_speech.h"
#include "link_surface.h"
#include "pictures.h"
#include "pixel_fonts.h"
#include "sky_pictures.h"
#include "sky_views.h"
#include "spectrum_strips.h"

#include <QIcon>
#include <QLocale>
#include <QScreen>
#include <QShortcut>
#include <QTime>

namespace {
constexpr QRgb IndicatorOn = qRgb(255, 0, 0);
constexpr QRgb IndicatorOff = qRgb(128, 128, 128);
constexpr QColor LinkColour{255, 255, 255};
constexpr QColor EraseColour{0, 0, 0};
constexpr QColor BackgroundColour{128, 128, 128};
constexpr int LinkWidth = 2;
// The slider's positions run from 400 to 800 for wavelengths of 379 to 779 nm.
constexpr int SliderWavelengthOffset = -21;
} // namespace

TForm1::TForm1(QWidget *parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::TForm1>())
    , m_continuum(ContinuumWidth, StripHeight)
    , m_reference(ReferenceWidth, StripHeight)
{
    ui->setupUi(this);
    ApplyPixelFonts(this);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(DesignSize);
    setWindowIcon(QIcon(QPixmap::fromImage(WindowIconImage())));
    if (const QScreen *screen = this->screen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }

    ui->Image1->setLiveImage(&m_continuum.image());
    ui->Image3->setLiveImage(&m_reference.image());
    m_continuum.setChangedHandler([this] { ui->Image1->update(); });
    m_reference.setChangedHandler([this] { ui->Image3->update(); });
    // Each sky picture is made when it is first shown.
    ui->Image2->setImage([] { return BuildSkyPicture(SkyView::One); });
    ui->Image6->setImage([] { return BuildFigurePicture(SkyView::One); });
    ui->Image4->setImage([] { return BuildSkyPicture(SkyView::Two); });
    ui->Image5->setImage([] { return BuildFigurePicture(SkyView::Two); });
    ui->BitBtn5->setGlyph(AideGlyph());

    // Link lines lie above pictures, labels, bars and hot spots, and below the
    // buttons and the slider.
    m_surface = new LinkSurface(this);
    for (QWidget *child : findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        if (child != m_surface && !qobject_cast<QAbstractButton *>(child)
            && child != ui->TrackBar1)
            m_surface->watch(child);
    m_surface->raise();
    for (QWidget *child : findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        if (qobject_cast<QAbstractButton *>(child) || child == ui->TrackBar1)
            child->raise();
    // The strips' pixels stay exact: their focus shows just outside them.
    new FocusRing(ui->Image1);
    new FocusRing(ui->Image3);

    // The indicator bars repeat what their buttons tell a screen reader.
    for (const ElementRecord &element : ElementTable)
        SetAccessibleDecoration(control(element.indicator));

    // The hot spots follow the last button in the tab order, so the first
    // button takes the focus when the window first shows, as it always has.
    ui->BitBtn1->setFocus();

    connectHandlers();
    FormCreate();
    DescribeContinuum();
    DescribeReferenceStrip();
    // A screen reader hears the slider's value as the wavelength on its label.
    ui->TrackBar1->setValueOffset(SliderWavelengthOffset);
    ui->TrackBar1->setReading(ui->Label1->text());
    m_timer1.setInterval(1000);
    connect(&m_timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    m_timer1.start();
}

TForm1::~TForm1() = default;

void TForm1::connectHandlers()
{
    connect(ui->BitBtn1, &QPushButton::clicked, this, &TForm1::BitBtn1Click);
    connect(ui->Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
    connect(ui->BitBtn2, &QPushButton::clicked, this, &TForm1::BitBtn2Click);
    connect(ui->Button2, &QPushButton::clicked, this, &TForm1::Button2Click);
    connect(ui->Button3, &QPushButton::clicked, this, &TForm1::Button3Click);
    connect(ui->Button4, &QPushButton::clicked, this, &TForm1::Button4Click);
    connect(ui->BitBtn4, &QPushButton::clicked, this, &TForm1::BitBtn4Click);
    connect(ui->Button5, &QPushButton::clicked, this, &TForm1::Button5Click);
    connect(ui->shape9, &HotSpot::released, this, &TForm1::shape9MouseUp);
    connect(ui->Shape10, &HotSpot::released, this, &TForm1::Shape10MouseUp);
    connect(ui->Shape11, &HotSpot::released, this, &TForm1::Shape11MouseUp);
    connect(ui->Shape1, &HotSpot::released, this, &TForm1::Shape1MouseUp);
    connect(ui->BitBtn3, &QPushButton::clicked, this, &TForm1::BitBtn3Click);
    connect(ui->BitBtn6, &QPushButton::clicked, this, &TForm1::BitBtn6Click);
    connect(ui->BitBtn5, &QPushButton::clicked, this, &TForm1::BitBtn5Click);
    connect(ui->Label2, &ReleaseLabel::released, this, &TForm1::Label2MouseUp);
    // Every scroll notification from the user, even when the position stays:
    // keys, clicks in the channel, dragging, and the end of a drag.
    connect(ui->TrackBar1, &QAbstractSlider::actionTriggered, this, &TForm1::TrackBar1Change);
    connect(ui->TrackBar1, &QAbstractSlider::sliderReleased, this, &TForm1::TrackBar1Change);
    connect(ui->Image3, &Picture::mouseMoved, this, &TForm1::Image3MouseMove);
    // The keys every desktop program answers: F1 for help, the platform's quit
    // key closing the window as its close box does. Platforms that name no
    // quit key (Windows) get Ctrl+Q, which pupils know from elsewhere.
    new QShortcut(QKeySequence(Qt::Key_F1), this, this, &TForm1::BitBtn5Click);
    auto *quit = new QShortcut(QKeySequence::Quit, this, this, &QWidget::close);
    if (quit->key().isEmpty())
        quit->setKey(QKeySequence(Qt::CTRL | Qt::Key_Q));
}

void TForm1::FormCreate()
{
    ui->Image4->lower();
    m_state = LessonState{};
    PaintContinuum();
    ClearReferenceStrip();
}

QWidget *TForm1::control(const char *name) const
{
    return findChild<QWidget *>(QLatin1String(name));
}

void TForm1::PaintContinuum()
{
    ::PaintContinuum(m_continuum);
}

void TForm1::ClearReferenceStrip()
{
    ::ClearReferenceStrip(m_reference);
}

void TForm1::ElementButtonClick(Element element)
{
    const ElementRecord &record = ElementRecordOf(element);
    bool &shown = m_state.elementShown(element);
    shown = !shown;
    // A bar without fill becomes a solid bar for good.
    static_cast<Bar *>(control(record.indicator))->setFillColor(QColor(shown ? IndicatorOn : IndicatorOff));
    for (const SpectralLine &line : record.lines)
        DrawEmissionLine(m_reference, line.wavelength, line.width, shown);
    auto *button = static_cast<SwitchButton *>(control(record.button));
    button->setSwitchedOn(shown);
    DescribeReferenceStrip();
    Announce(button, ElementAnnouncement(button->text(), shown, ui->Image3->accessibleDescription()));
}

void TForm1::StarHotSpotRelease(Star star)
{
    const StarRecord &record = StarRecordOf(star);
    bool &selected = m_state.starSelected(star);
    selected = !selected;
    const bool partnerReleased = m_state.starSelected(record.partner);
    if (partnerReleased) {
        EraseLinkLine(StarRecordOf(record.partner));
        m_state.starSelected(record.partner) = false;
    }
    PaintContinuum();
    if (selected)
        DrawLinkLine(record);
    else
        EraseLinkLine(record);
    if (selected)
        record.drawLines(m_continuum);
    UpdateDrawButton();
    DescribeStars();
    // The pupil hears the choice with its spectrum, and a star released
    // without being touched.
    Announce(control(record.hotSpot), StarAnnouncement(StarName(star), selected,
                                                       partnerReleased ? StarName(record.partner) : QString(),
                                                       ui->Image1->accessibleDescription()));
}

QString TForm1::StarName(Star star) const
{
    return control(StarRecordOf(star).hotSpot)->accessibleName();
}

void TForm1::DrawLinkLine(const StarRecord &star)
{
    m_surface->setPen(LinkColour, LinkWidth);
    m_surface->moveTo(star.linkStart);
    m_surface->lineTo(LinkEnd);
}

void TForm1::EraseLinkLine(const StarRecord &star)
{
    // Black covers the link where it crosses the sky; the wide grey stroke
    // covers it where it crosses the window's background.
    m_surface->setPen(EraseColour, LinkWidth);
    m_surface->moveTo(star.linkStart);
    m_surface->lineTo(LinkEnd);
    m_surface->setPen(BackgroundColour, star.eraseWidth);
    m_surface->lineTo(star.eraseEnd);
}

void TForm1::DescribeReferenceStrip()
{
    ui->Image3->setAccessibleDescription(EmissionStripDescription(m_state));
}

void TForm1::DescribeContinuum()
{
    ui->Image1->setAccessibleDescription(ContinuumDescription(m_state, [this](Star star) { return StarName(star); }));
}

void TForm1::DescribeStars()
{
    for (const StarRecord &star : StarTable)
        static_cast<HotSpot *>(control(star.hotSpot))->setChosen(m_state.starSelected(star.star));
    DescribeContinuum();
}

void TForm1::UpdateDrawButton()
{
    ui->BitBtn6->setEnabled(!m_state.anyStarSelected());
}

const ViewRecord &TForm1::currentView() const
{
    return ViewRecordOf(m_state.SkyViewOneCurrent ? SkyView::One : SkyView::Two);
}

void TForm1::ShowBeneath(QWidget *picture)
{
    // A sky picture lies beneath the hot spots and the labels.
    picture->show();
    picture->lower();
}

void TForm1::BitBtn3Click()
{
    ui->Label5->hide();
    ui->Label6->hide();
    ui->Label4->hide();
    const ViewRecord &leaving = currentView();
    const ViewRecord &entering = ViewRecordOf(leaving.view == SkyView::One ? SkyView::Two : SkyView::One);
    ShowBeneath(control(entering.plainPicture));
    control(leaving.plainPicture)->hide();
    control(leaving.figurePicture)->hide();
    for (const char *name : entering.hotSpots)
        control(name)->show();
    for (const char *name : leaving.hotSpots)
        control(name)->hide();
    QString released;
    for (const Star star : ViewChangeEraseOrder) {
        if (m_state.starSelected(star)) {
            EraseLinkLine(StarRecordOf(star));
            m_state.starSelected(star) = false;
            released = StarName(star);
        }
    }
    PaintContinuum();
    m_state.SkyViewOneCurrent = !m_state.SkyViewOneCurrent;
    m_state.SkyViewTwoCurrent = !m_state.SkyViewTwoCurrent;
    UpdateDrawButton();
    DescribeStars();
    // Every view is entered without its figures.
    ui->BitBtn6->setSwitchedOn(false);
    QStringList stars;
    for (const char *name : entering.hotSpots)
        stars << control(name)->accessibleName();
    Announce(ui->BitBtn3, ViewAnnouncement(control(entering.plainPicture)->accessibleName(), stars, released));
}

void TForm1::BitBtn6Click()
{
    const ViewRecord &view = currentView();
    QWidget *plain = control(view.plainPicture);
    QWidget *figure = control(view.figurePicture);
    const bool showFigure = !figure->isVisible();
    ShowBeneath(showFigure ? figure : plain);
    (showFigure ? plain : figure)->hide();
    for (const char *name : view.labels)
        control(name)->setVisible(showFigure);
    ui->BitBtn6->setSwitchedOn(showFigure);
    Announce(ui->BitBtn6, control(showFigure ? view.figurePicture : view.plainPicture)->accessibleName());
}

bool TForm1::focusNextPrevChild(bool next)
{
    // "Dessiner la constellation" disabled under the mouse hands its focus
    // on; the stars and strips take it only from the Tab key.
    return HandOnFocusPastKeyboardOnly(this, next) || QWidget::focusNextPrevChild(next);
}

// Shows a secondary window without blocking this one, or only brings it to
// the front when it is open already.
static void BringUp(const TForm1::WindowMaker &made)
{
    QWidget *window = made ? made() : nullptr;
    if (!window)
        return;
    window->show();
    window->raise();
    window->activateWindow();
}

void TForm1::BitBtn5Click()
{
    BringUp(m_helpWindow);
}

void TForm1::Label2MouseUp()
{
    BringUp(m_aboutBox);
}

void TForm1::TrackBar1Change()
{
    // During a scroll action the slider position is already the new one while
    // the value may still lag behind.
    const QString text = QString::number(ui->TrackBar1->sliderPosition() + ui->TrackBar1->valueOffset());
    ui->TrackBar1->setToolTip(text);
    ui->Label1->setText(text + QStringLiteral(" nm"));
    ui->TrackBar1->setReading(ui->Label1->text());
}

void TForm1::Image3MouseMove(QPoint position)
{
    ui->Image3->setToolTip(QString::number(position.x() + 380));
}

QString TForm1::ClockText(const QTime &time, const QLocale &locale)
{
    // Drop the time-zone field of the long format and the blanks around it;
    // quoted literal text is kept as it is.
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString kept;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (c == QLatin1Char('\'')) {
            quoted = !quoted;
            kept += c;
        } else if (!quoted && c == QLatin1Char('t')) {
            while (i + 1 < format.size() && format.at(i + 1) == QLatin1Char('t'))
                ++i;
            while (!kept.isEmpty() && kept.back().isSpace())
                kept.chop(1);
            while (i + 1 < format.size() && format.at(i + 1).isSpace())
                ++i;
        } else {
            kept += c;
        }
    }
    return locale.toString(time, kept.trimmed());
}

void TForm1::Timer1Timer()
{
    ui->Label3->setText(ClockText(QTime::currentTime(), QLocale::system()));
    ui->Label3->resize(ui->Label3->sizeHint().width(), ui->Label3->height());
}

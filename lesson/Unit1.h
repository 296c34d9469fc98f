#pragma once

#include "lesson_state.h"
#include "line_catalogue.h"
#include "sky_tables.h"
#include "strip.h"

#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

namespace Ui {
class TForm1;
}
class LinkSurface;
struct StarRecord;
struct ViewRecord;

// The main window: the two spectrum strips, the element buttons, the sky views
// with their stars, the slider and the clock.
class TForm1 : public QWidget
{
    Q_OBJECT

public:
    explicit TForm1(QWidget *parent = nullptr);
    ~TForm1() override;

    // The window's one size, in its own pixels.
    static constexpr QSize DesignSize{959, 536};

    const LessonState &state() const { return m_state; }
    const Strip &continuum() const { return m_continuum; }
    const Strip &reference() const { return m_reference; }
    LinkSurface *surface() const { return m_surface; }

    // The secondary windows that "AIDE" and "A propos de ....." bring up:
    // made already, or made by the function at the first press that needs them.
    using WindowMaker = std::function<QWidget *()>;
    void setHelpWindow(QWidget *window) { m_helpWindow = [window] { return window; }; }
    void setAboutBox(QWidget *window) { m_aboutBox = [window] { return window; }; }
    void setHelpWindow(WindowMaker make) { m_helpWindow = std::move(make); }
    void setAboutBox(WindowMaker make) { m_aboutBox = std::move(make); }

    // Element buttons
    void BitBtn1Click() { ElementButtonClick(Element::Hydrogen); }
    void Button1Click() { ElementButtonClick(Element::Lithium); }
    void BitBtn2Click() { ElementButtonClick(Element::Sodium); }
    void Button2Click() { ElementButtonClick(Element::Iron); }
    void Button3Click() { ElementButtonClick(Element::Mercury); }
    void Button4Click() { ElementButtonClick(Element::Argon); }
    void BitBtn4Click() { ElementButtonClick(Element::Titanium); }
    void Button5Click() { ElementButtonClick(Element::Calcium); }

    // Star hot spots
    void shape9MouseUp() { StarHotSpotRelease(Star::Deneb); }
    void Shape10MouseUp() { StarHotSpotRelease(Star::Vega); }
    void Shape11MouseUp() { StarHotSpotRelease(Star::Betelgeuse); }
    void Shape1MouseUp() { StarHotSpotRelease(Star::Pollux); }

    void BitBtn3Click();
    void BitBtn6Click();
    void BitBtn5Click();
    void Label2MouseUp();
    void TrackBar1Change();
    void Image3MouseMove(QPoint position);
    void Timer1Timer();

    // The clock's text for a time of day in a locale's long time format,
    // without any time-zone name.
    static QString ClockText(const QTime &time, const QLocale &locale);

protected:
    bool focusNextPrevChild(bool next) override;

private:
    void FormCreate();
    void PaintContinuum();
    void ClearReferenceStrip();
    void ElementButtonClick(Element element);
    void StarHotSpotRelease(Star star);
    void DrawLinkLine(const StarRecord &star);
    void EraseLinkLine(const StarRecord &star);
    void UpdateDrawButton();
    // What the strips and the stars tell a screen reader.
    void DescribeReferenceStrip();
    void DescribeContinuum();
    void DescribeStars();
    QString StarName(Star star) const;
    void ShowBeneath(QWidget *picture);
    QWidget *control(const char *name) const;
    const ViewRecord &currentView() const;
    void connectHandlers();

    std::unique_ptr<Ui::TForm1> ui;
    LessonState m_state;
    Strip m_continuum;
    Strip m_reference;
    LinkSurface *m_surface = nullptr;
    QTimer m_timer1;
    WindowMaker m_helpWindow;
    WindowMaker m_aboutBox;
};

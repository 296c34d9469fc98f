#include "Unit2.h"

#include "ui_Unit2.h"

#include "pictures.h"
#include "pixel_fonts.h"
#include "screen_place.h"

#include <QGuiApplication>
#include <QScreen>
#include <QShortcut>

TForm2::TForm2(QWidget *parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::TForm2>())
{
    ui->setupUi(this);
    ApplyPixelFonts(this);
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_QuitOnClose, false);
    setFixedSize(422, 349);
    ui->BitBtn1->setGlyph(OkGlyph());
    // The arrow keys move an unseen caret through the text, line by line, so
    // that a screen reader reads each line; the text still cannot be edited.
    ui->Memo1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    ui->Memo1->setCursorWidth(0);
    connect(ui->BitBtn1, &QPushButton::clicked, this, &TForm2::BitBtn1Click);
    // Without a title bar there is no close box: Esc does what "OK" does.
    new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &TForm2::BitBtn1Click);
}

TForm2::~TForm2() = default;

void TForm2::showEvent(QShowEvent *event)
{
    // In a browser the screen is the lesson's place in the page, which moves
    // as the page is fitted to the device.
    move(PlaceOnScreen(QGuiApplication::primaryScreen()->geometry(), QPoint(40, 190), size()));
    QWidget::showEvent(event);
}

void TForm2::BitBtn1Click()
{
    close();
}

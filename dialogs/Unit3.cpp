#include "Unit3.h"

#include "ui_Unit3.h"

#include "pixel_fonts.h"
#include "star_field.h"

TAboutBox::TAboutBox(QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::TAboutBox>())
{
    ui->setupUi(this);
    ApplyPixelFonts(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_QuitOnClose, false);
    setModal(false);
    setFixedSize(298, 213);
    ui->ProgramIcon->setImage([] { return BuildStarField(); });
    connect(ui->OKButton, &QPushButton::clicked, this, &TAboutBox::OKButtonClick);
}

TAboutBox::~TAboutBox() = default;

void TAboutBox::OKButtonClick()
{
    hide();
}

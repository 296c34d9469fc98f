#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TAboutBox;
}

// The About box: the program's name, version and credits. Shown without
// blocking the main window; "OK", Enter and the close box only hide it.
class TAboutBox : public QDialog
{
    Q_OBJECT

public:
    explicit TAboutBox(QWidget *parent = nullptr);
    ~TAboutBox() override;

    void OKButtonClick();

private:
    std::unique_ptr<Ui::TAboutBox> ui;
};

#pragma once

#include <QWidget>
#include <memory>

namespace Ui {
class TForm2;
}

// The help window: what the pupil has to do, in a read-only text box.
// Borderless, at a fixed place on the screen; "OK" only hides it.
class TForm2 : public QWidget
{
    Q_OBJECT

public:
    explicit TForm2(QWidget *parent = nullptr);
    ~TForm2() override;

    void BitBtn1Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    std::unique_ptr<Ui::TForm2> ui;
};

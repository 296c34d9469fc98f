#pragma once

#include <QSlider>

// A slider whose value is read out as a text of its owner's choosing, for
// assistive technology, rather than as the bare position.
class ReadoutSlider : public QSlider
{
    Q_OBJECT

public:
    explicit ReadoutSlider(QWidget *parent = nullptr);

    QString reading() const { return m_reading; }
    void setReading(const QString &reading);

private:
    QString m_reading;
};

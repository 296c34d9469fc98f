#pragma once

#include <QSlider>

// A slider whose value is told to assistive technology as its owner shows it:
// the position plus an offset, and a text of the owner's choosing (with its
// unit), rather than the bare position.
class ReadoutSlider : public QSlider
{
    Q_OBJECT

public:
    explicit ReadoutSlider(QWidget *parent = nullptr);

    QString reading() const { return m_reading; }
    void setReading(const QString &reading);

    int valueOffset() const { return m_offset; }
    void setValueOffset(int offset) { m_offset = offset; }

    // Moves the thumb as a pupil's drag does, with the same notifications.
    void moveAsUser(int position);

private:
    QString m_reading;
    int m_offset = 0;
};

#pragma once

#include <QImage>
#include <QPushButton>

// A push button with a two-image glyph: a bitmap holding the enabled image on
// its left half and the disabled image on its right half. Pixels of the colour
// of the bitmap's bottom-left pixel are transparent. The glyph stands left of
// the caption, 4 pixels apart, and the two are centred together.
class GlyphButton : public QPushButton
{
    Q_OBJECT

public:
    explicit GlyphButton(QWidget *parent = nullptr);

    void setGlyph(const QImage &glyph);
    const QImage &glyphImage(bool enabled) const { return enabled ? m_enabled : m_disabled; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_enabled;
    QImage m_disabled;
};

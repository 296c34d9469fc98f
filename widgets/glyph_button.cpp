#include "glyph_button.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace {
QImage withTransparentColour(const QImage &image, QRgb transparent)
{
    QImage result = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < result.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x)
            if (qRgb(qRed(line[x]), qGreen(line[x]), qBlue(line[x])) == transparent)
                line[x] = qRgba(0, 0, 0, 0);
    }
    return result;
}
} // namespace

GlyphButton::GlyphButton(QWidget *parent)
    : QPushButton(parent)
{
}

void GlyphButton::setGlyph(const QImage &glyph)
{
    const QImage rgb = glyph.convertToFormat(QImage::Format_RGB32);
    const QRgb transparent = rgb.pixel(0, rgb.height() - 1);
    const int half = rgb.width() / 2;
    m_enabled = withTransparentColour(rgb.copy(0, 0, half, rgb.height()), transparent);
    m_disabled = withTransparentColour(rgb.copy(half, 0, half, rgb.height()), transparent);
    updateGeometry();
    update();
}

QSize GlyphButton::sizeHint() const
{
    QSize hint = QPushButton::sizeHint();
    if (!m_enabled.isNull())
        hint.rwidth() += m_enabled.width() + 4;
    return hint;
}

void GlyphButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    option.icon = QIcon();
    painter.drawControl(QStyle::CE_PushButtonBevel, option);

    const QImage &glyph = glyphImage(isEnabled());
    const int textWidth = fontMetrics().horizontalAdvance(text());
    const int gap = glyph.isNull() ? 0 : 4;
    const int total = glyph.width() + gap + textWidth;
    int left = (width() - total) / 2;
    if (isDown()) // the face shifts as the button goes down
        left += 1;
    const int top = (height() - glyph.height()) / 2 + (isDown() ? 1 : 0);
    if (!glyph.isNull())
        painter.drawImage(left, top, glyph);
    const QRect textRect(left + glyph.width() + gap, isDown() ? 1 : 0, textWidth + 1, height());
    painter.drawItemText(textRect, Qt::AlignLeft | Qt::AlignVCenter, palette(), isEnabled(), text(),
                         QPalette::ButtonText);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = style()->subElementRect(QStyle::SE_PushButtonFocusRect, &option, this);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

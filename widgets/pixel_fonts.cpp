#include "pixel_fonts.h"

#include <QVariant>
#include <QWidget>

QFont PixelFont(const QString &family, int pixelHeight, bool bold)
{
    QFont font;
    QStringList families{family};
    if (family == QLatin1String("Arial Black")) {
        families << QStringLiteral("Arial") << QStringLiteral("Liberation Sans");
        font.setWeight(QFont::Black);
    } else {
        families << QStringLiteral("Microsoft Sans Serif") << QStringLiteral("Arial")
                 << QStringLiteral("Liberation Sans");
    }
    families << QStringLiteral("DejaVu Sans") << QStringLiteral("Sans Serif");
    font.setFamilies(families);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelHeight);
    if (bold)
        font.setBold(true);
    return font;
}

namespace {
void applyDeclared(QWidget *widget)
{
    const QStringList parts = widget->property("pixelFont").toString().split(QLatin1Char(','));
    if (parts.size() < 2)
        return;
    const bool bold = parts.size() > 2 && parts.at(2).trimmed() == QLatin1String("bold");
    widget->setFont(PixelFont(parts.at(0).trimmed(), parts.at(1).toInt(), bold));
}
} // namespace

void ApplyPixelFonts(QWidget *window)
{
    applyDeclared(window);
    for (QWidget *child : window->findChildren<QWidget *>())
        applyDeclared(child);
}

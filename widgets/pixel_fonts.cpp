#include "pixel_fonts.h"

#include <QFontDatabase>
#include <QHash>
#include <QVariant>
#include <QWidget>

namespace {
// The families of the list that this system has, in order. Asking the font
// system about missing families one by one, at every size, costs it a
// substitution pass each time; the list of installed families is read once.
// The generic family at the end stays, so that something is always found.
QStringList installed(const QStringList &wanted)
{
    static const QStringList families = QFontDatabase::families();
    static QHash<QString, QStringList> known;
    const QString key = wanted.join(QLatin1Char(','));
    const auto found = known.constFind(key);
    if (found != known.cend())
        return *found;
    QStringList result;
    for (const QString &family : wanted)
        if (families.contains(family, Qt::CaseInsensitive))
            result << family;
    result << wanted.last();
    known.insert(key, result);
    return result;
}
} // namespace

QFont PixelFont(const QString &family, int pixelHeight, bool bold)
{
    QFont font;
    QStringList families{family};
    if (family == QLatin1String("Arial Black")) {
        families << QStringLiteral("Arial") << QStringLiteral("Liberation Sans") << QStringLiteral("Quelvara Sans");
        font.setWeight(QFont::Black);
    } else {
        families << QStringLiteral("Microsoft Sans Serif") << QStringLiteral("Arial")
                 << QStringLiteral("Liberation Sans") << QStringLiteral("Quelvara Sans");
    }
    families << QStringLiteral("DejaVu Sans") << QStringLiteral("Sans Serif");
    font.setFamilies(installed(families));
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

#include "lesson_speech.h"

#include "line_catalogue.h"
#include "sky_views.h"

#include <set>

namespace {
// Wavelengths in increasing order, as a screen reader reads them out.
QString WavelengthList(const std::set<int> &wavelengths)
{
    QStringList numbers;
    for (const int wavelength : wavelengths)
        numbers << QString::number(wavelength);
    return numbers.join(QStringLiteral(", ")) + QStringLiteral(" nm");
}

QString NoLongerChosen(const QString &star)
{
    return star + QStringLiteral(" n'est plus choisie");
}
} // namespace

QString EmissionStripDescription(const LessonState &state)
{
    std::set<int> lines;
    for (const ElementRecord &element : ElementTable)
        if (state.elementShown(element.element))
            for (const SpectralLine &line : element.lines)
                lines.insert(line.wavelength);
    return lines.empty() ? QStringLiteral("Aucun élément affiché : aucune raie")
                         : QStringLiteral("Raies d'émission à ") + WavelengthList(lines);
}

QString ContinuumDescription(const LessonState &state, const StarNamer &starName)
{
    for (const StarRecord &star : StarTable) {
        if (!state.starSelected(star.star))
            continue;
        std::set<int> lines;
        for (const SpectralLine &line : StarLines(star.star))
            lines.insert(line.wavelength);
        return QStringLiteral("Spectre de %1 : raies d'absorption à %2").arg(starName(star.star), WavelengthList(lines));
    }
    return QStringLiteral("Aucune étoile choisie : spectre continu, sans raie");
}

QString ElementAnnouncement(const QString &element, bool shown, const QString &emission)
{
    return element + (shown ? QStringLiteral(" affiché. ") : QStringLiteral(" masqué. ")) + emission;
}

QString StarAnnouncement(const QString &star, bool chosen, const QString &releasedPartner, const QString &continuum)
{
    QString message = chosen ? star + QStringLiteral(" choisie") : NoLongerChosen(star);
    if (!releasedPartner.isEmpty())
        message += QStringLiteral(", ") + NoLongerChosen(releasedPartner);
    return message + QStringLiteral(". ") + continuum;
}

QString ViewAnnouncement(const QString &sky, const QStringList &stars, const QString &releasedStar)
{
    QString message = sky + QStringLiteral(". Étoiles : ") + stars.join(QStringLiteral(", ")) + QLatin1Char('.');
    if (!releasedStar.isEmpty())
        message += QLatin1Char(' ') + NoLongerChosen(releasedStar) + QLatin1Char('.');
    return message;
}

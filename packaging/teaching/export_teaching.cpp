// Writes the teacher's guide and the pupil's sheet, in French, from their
// templates. The strips, their axes and the answers are drawn by the lesson's
// own code from its line catalogue and colour ramp, so the paper can never
// disagree with the screen.
//
//   quelvara_export_teaching TEMPLATE_DIR OUTPUT_DIR

#include "line_catalogue.h"
#include "spectrum_strips.h"
#include "strip.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <array>
#include <cstdio>
#include <set>

namespace {

// On paper one column of a strip, one nanometre, is 0.4 mm: a strip is
// 160 mm long and 29.2 mm high, as it is 400 by 73 pixels on the screen.
constexpr double MmPerColumn = 0.4;
constexpr double AxisHeightMm = 6;

struct StarName
{
    Star star;
    const char *name;
};
// In the order of the sky views, as the lesson shows them.
constexpr std::array<StarName, StarCount> Stars{{{Star::Vega, "Vega"},
                                                 {Star::Deneb, "Deneb"},
                                                 {Star::Betelgeuse, "Betelgeuse"},
                                                 {Star::Pollux, "Pollux"}}};

QString mm(double value)
{
    return QString::number(value, 'f', 2) + QStringLiteral("mm");
}

// The strip's first row as rectangles, one for each run of a colour.
QString StripSvg(const QImage &image, const QString &label)
{
    QString rects;
    for (int x = 0; x < image.width();) {
        const QRgb colour = image.pixel(x, 0);
        int end = x + 1;
        while (end < image.width() && image.pixel(end, 0) == colour)
            ++end;
        rects += QStringLiteral("<rect x=\"%1\" y=\"0\" width=\"%2\" height=\"%3\" fill=\"#%4\"/>")
                     .arg(x).arg(end - x).arg(image.height())
                     .arg(colour & 0xffffffu, 6, 16, QLatin1Char('0'));
        x = end;
    }
    return QStringLiteral("<svg class=\"strip\" role=\"img\" aria-label=\"%1\" viewBox=\"0 0 %2 %3\" width=\"%4\" "
                          "height=\"%5\" preserveAspectRatio=\"none\" shape-rendering=\"crispEdges\">%6</svg>")
        .arg(label).arg(image.width()).arg(image.height())
        .arg(mm(image.width() * MmPerColumn), mm(image.height() * MmPerColumn), rects);
}

// A graduation every 10 nm, labelled every 50 nm, each on the column where
// the lesson draws a line of that wavelength.
QString AxisSvg(int columns)
{
    const double width = columns * MmPerColumn;
    QString marks;
    for (int wavelength = 380; wavelength <= 780; wavelength += 10) {
        const double x = (wavelength - 379 + 0.5) * MmPerColumn;
        if (x > width)
            break;
        const bool labelled = wavelength % 50 == 0;
        marks += QStringLiteral("<line x1=\"%1\" y1=\"0\" x2=\"%1\" y2=\"%2\"/>")
                     .arg(x, 0, 'f', 2).arg(labelled ? 2.5 : 1.5);
        if (labelled)
            marks += QStringLiteral("<text x=\"%1\" y=\"5.6\">%2</text>").arg(x, 0, 'f', 2).arg(wavelength);
    }
    return QStringLiteral("<svg class=\"axis\" aria-hidden=\"true\" viewBox=\"0 0 %1 %2\" width=\"%3\" height=\"%4\">"
                          "<line x1=\"0\" y1=\"0\" x2=\"%1\" y2=\"0\"/>%5</svg>")
        .arg(width, 0, 'f', 2).arg(AxisHeightMm).arg(mm(width), mm(AxisHeightMm), marks);
}

QString Figure(const QImage &image, const QString &label)
{
    return StripSvg(image, label) + AxisSvg(image.width());
}

// A star holds an element when each of the element's lines is among the
// star's, to within a nanometre, the strip's own resolution.
bool Holds(Star star, const ElementRecord &element)
{
    const auto lines = StarLines(star);
    return std::all_of(element.lines.begin(), element.lines.end(), [&](const SpectralLine &wanted) {
        return std::any_of(lines.begin(), lines.end(),
                           [&](const SpectralLine &line) { return std::abs(line.wavelength - wanted.wavelength) <= 1; });
    });
}

QString Wavelengths(std::span<const SpectralLine> lines)
{
    std::set<int> sorted;
    for (const SpectralLine &line : lines)
        sorted.insert(line.wavelength);
    QStringList words;
    for (const int wavelength : sorted)
        words << QString::number(wavelength);
    return words.join(QStringLiteral(", ")) + QStringLiteral("\u00a0nm");
}

QImage StarStrip(const StarName *star)
{
    Strip continuum(ContinuumWidth, StripHeight);
    PaintContinuum(continuum);
    if (star)
        for (const SpectralLine &line : StarLines(star->star))
            DrawAbsorptionLine(continuum, line.wavelength, line.width);
    return continuum.image();
}

QString Answers()
{
    QString html;
    for (const StarName &star : Stars) {
        Strip reference(ReferenceWidth, StripHeight);
        ClearReferenceStrip(reference);
        QStringList held;
        for (const ElementRecord &element : ElementTable) {
            if (!Holds(star.star, element))
                continue;
            held << QStringLiteral("%1 (%2)").arg(QString::fromUtf8(element.caption).toLower(),
                                                  Wavelengths(element.lines));
            for (const SpectralLine &line : element.lines)
                DrawEmissionLine(reference, line.wavelength, line.width, true);
        }
        const QString name = QString::fromUtf8(star.name);
        html += QStringLiteral("<section class=\"answer\"><h3>%1</h3>\n<p>Raies d'absorption\u00a0: %2.</p>\n"
                               "<p>Éléments\u00a0: %3.</p>\n<figure>%4%5<figcaption>En haut, les spectres "
                               "d'émission de ces éléments\u00a0; en bas, le spectre de %1, à l'échelle "
                               "(1\u00a0nm pour 0,4\u00a0mm).</figcaption></figure></section>\n")
                    .arg(name, Wavelengths(StarLines(star.star)), held.join(QStringLiteral(", ")),
                         Figure(reference.image(), QStringLiteral("Spectres d'émission des éléments de ") + name),
                         Figure(StarStrip(&star), QStringLiteral("Spectre de ") + name));
    }
    return html;
}

// A strip to draw on, of the lesson's size.
QImage Blank(int width)
{
    QImage blank(width, StripHeight, QImage::Format_RGB32);
    blank.fill(Qt::white);
    return blank;
}

QString EmptyStrips()
{
    QString html;
    for (const StarName &star : Stars)
        html += QStringLiteral("<figure class=\"copy\"><figcaption>Spectre de %1</figcaption>%2</figure>\n")
                    .arg(QString::fromUtf8(star.name),
                         Figure(Blank(ContinuumWidth),
                                QStringLiteral("Bande vide pour le spectre de ") + QString::fromUtf8(star.name)));
    return html;
}

QString TableRows()
{
    QString html;
    for (const StarName &star : Stars)
        html += QStringLiteral("<tr><th scope=\"row\">%1</th><td></td><td></td></tr>\n").arg(QString::fromUtf8(star.name));
    return html;
}

bool Fill(const QString &from, const QString &to, const QList<std::pair<QString, QString>> &values)
{
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(from));
        return false;
    }
    QString text = QString::fromUtf8(in.readAll());
    for (const auto &[key, value] : values) {
        if (!text.contains(key)) {
            std::fprintf(stderr, "%s has no %s\n", qPrintable(from), qPrintable(key));
            return false;
        }
        text.replace(key, value);
    }
    QFile out(to);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(text.toUtf8()) < 0 || !out.flush()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(to));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s TEMPLATE_DIR OUTPUT_DIR\n", argv[0]);
        return 2;
    }
    const QDir templates(QString::fromLocal8Bit(argv[1]));
    const QDir output(QString::fromLocal8Bit(argv[2]));
    const bool written =
        Fill(templates.filePath(QStringLiteral("guide-enseignant.html.in")),
             output.filePath(QStringLiteral("guide-enseignant.html")), {{QStringLiteral("@ANSWERS@"), Answers()}})
        && Fill(templates.filePath(QStringLiteral("fiche-eleve.html.in")),
                output.filePath(QStringLiteral("fiche-eleve.html")),
                {{QStringLiteral("@MODEL@"),
                  StripSvg(Blank(ReferenceWidth), QStringLiteral("Bande vide pour les spectres d'émission"))
                      + Figure(StarStrip(nullptr), QStringLiteral("Spectre continu"))},
                 {QStringLiteral("@COPIES@"), EmptyStrips()},
                 {QStringLiteral("@ROWS@"), TableRows()}});
    return written ? 0 : 1;
}

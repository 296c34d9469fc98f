#include "spectrum_strips.h"

#include "colour_ramp.h"
#include "strip.h"

namespace {
// Columns of a line: lambda - 379 through lambda - 380 + width.
void drawLineColumns(Strip &strip, int wavelength, int width)
{
    for (int k = 1; k <= width; ++k)
        strip.drawColumnLine(wavelength + k - 380);
}
} // namespace

void PaintContinuum(Strip &continuum)
{
    for (int i = 1; i <= 1020; ++i) {
        continuum.setPen(*SpectrumColour(i));
        // Step 1020 falls on column 400, outside the bitmap, but its colour
        // stays in the pen for the absorption lines that follow.
        continuum.drawColumnLine(ContinuumColumnOfStep(i));
    }
}

void DrawAbsorptionLine(Strip &continuum, int wavelength, int width)
{
    drawLineColumns(continuum, wavelength, width);
}

void DrawEmissionLine(Strip &reference, int wavelength, int width, bool on)
{
    if (const auto colour = SpectrumColour(EmissionColourIndex(wavelength)))
        reference.setPen(*colour);
    if (!on)
        reference.setPen(qRgb(0, 0, 0));
    drawLineColumns(reference, wavelength, width);
}

void ClearReferenceStrip(Strip &reference)
{
    for (int x = 0; x <= 400; ++x) {
        reference.setPen(qRgb(0, 0, 0));
        reference.drawColumnLine(x);
    }
}

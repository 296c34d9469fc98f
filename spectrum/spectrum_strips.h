#pragma once

class Strip;

// Sizes of the continuum strip (Image1) and the reference strip (Image3).
constexpr int ContinuumWidth = 400;
constexpr int ReferenceWidth = 401;
constexpr int StripHeight = 73;

// Repaints the continuum as the colour ramp; leaves the pen at (127, 0, 85).
void PaintContinuum(Strip &continuum);
// Draws a line of the given wavelength and width in the continuum's pen colour.
void DrawAbsorptionLine(Strip &continuum, int wavelength, int width);
// Draws a line on the reference strip in its ramp colour, or in black when off.
void DrawEmissionLine(Strip &reference, int wavelength, int width, bool on);
// Paints every column of the reference strip black.
void ClearReferenceStrip(Strip &reference);

// The column of the continuum that ramp step i (1 to 1020) lands on.
constexpr int ContinuumColumnOfStep(int i) { return (400 * i + 100) / 1020; }
// The last ramp step drawn on column x, whose colour the column keeps.
constexpr int ContinuumLastStepOfColumn(int x) { return (1020 * x + 919) / 400; }

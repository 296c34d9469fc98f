#include "colour_ramp.h"

std::int64_t RoundHalfEven(std::int64_t numerator, std::int64_t denominator)
{
    // Floor division first, so that negative numerators round the same way.
    std::int64_t quotient = numerator / denominator;
    std::int64_t remainder = numerator % denominator;
    if (remainder < 0) {
        quotient -= 1;
        remainder += denominator;
    }
    const std::int64_t twice = 2 * remainder;
    if (twice > denominator || (twice == denominator && quotient % 2 != 0))
        quotient += 1;
    return quotient;
}

std::optional<QRgb> SpectrumColour(int v)
{
    if (v < 0 || v > 1024)
        return std::nullopt;
    if (v <= 254) // violet through blue to cyan
        return qRgb(int(RoundHalfEven(100 * 255 - 100 * v, 255)), v, 255);
    if (v <= 509) // cyan through green to yellow
        return qRgb(v - 255, 255, 510 - v);
    if (v <= 764) // yellow through orange to red
        return qRgb(255, 765 - v, 0);
    // red to dark purple
    return qRgb(255 - int(RoundHalfEven(v - 765, 2)), 0, (v - 765) / 3);
}

int EmissionColourIndex(int wavelength)
{
    return int(RoundHalfEven(std::int64_t(wavelength - 380) * 51, 20));
}

#pragma once

#include <QRgb>
#include <cstdint>
#include <optional>

// Nearest integer to numerator / denominator, an exact half going to the even
// neighbour. The denominator must be positive.
std::int64_t RoundHalfEven(std::int64_t numerator, std::int64_t denominator);

// Colour of position v along the ramp (0 to 1024); no colour from 1025 on.
std::optional<QRgb> SpectrumColour(int v);

// Ramp position of a wavelength: (lambda - 380) * 51 / 20, rounded half to even.
int EmissionColourIndex(int wavelength);

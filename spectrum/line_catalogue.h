#pragma once

#include <array>
#include <span>

class Strip;

// One spectral line: a wavelength in whole nanometres and a width in columns.
struct SpectralLine
{
    int wavelength;
    int width;
};

enum class Element { Hydrogen, Lithium, Sodium, Iron, Mercury, Argon, Titanium, Calcium };
constexpr int ElementCount = 8;

enum class Star { Deneb, Vega, Betelgeuse, Pollux };
constexpr int StarCount = 4;

// An element of the lesson: its button and indicator bar on the main window,
// its caption and its emission lines in drawing order.
struct ElementRecord
{
    Element element;
    const char *button;
    const char *caption;
    const char *indicator;
    std::span<const SpectralLine> lines;
};

// In the order of the main window's description, which is also the order of
// the Element enumeration.
extern const std::array<ElementRecord, ElementCount> ElementTable;

const ElementRecord &ElementRecordOf(Element element);

// The absorption lines of a star, in drawing order.
std::span<const SpectralLine> StarLines(Star star);

void DrawPolluxLines(Strip &continuum);
void DrawVegaLines(Strip &continuum);
void DrawDenebLines(Strip &continuum);
void DrawBetelgeuseLines(Strip &continuum);

#include "line_catalogue.h"

#include "spectrum_strips.h"

namespace {

constexpr SpectralLine HydrogenLines[] = {{412, 1}, {433, 1}, {485, 1}, {653, 2}};
constexpr SpectralLine LithiumLines[] = {{671, 1}, {610, 1}};
constexpr SpectralLine SodiumLines[] = {{589, 1}};
constexpr SpectralLine IronLines[] = {{438, 1}, {489, 6}, {532, 7}};
constexpr SpectralLine MercuryLines[] = {{405, 1}, {436, 1}, {546, 1}, {577, 3}, {615, 1}};
constexpr SpectralLine ArgonLines[] = {{450, 1}, {470, 1}, {560, 1}, {603, 1}, {642, 1}, {668, 1}};
constexpr SpectralLine TitaniumLines[] = {{467, 3}, {498, 1}};
constexpr SpectralLine CalciumLines[] = {{644, 1}, {646, 1}, {672, 1}, {715, 1}, {733, 1}, {586, 2},
                                         {431, 1}, {423, 1}, {612, 1}, {445, 1}, {616, 1}};

// Pollux's two-column line starts at 585 nm, one column left of calcium's.
constexpr SpectralLine PolluxLines[] = {{431, 1}, {423, 1}, {445, 1}, {585, 2}, {612, 1}, {616, 1},
                                        {644, 1}, {646, 1}, {672, 1}, {715, 1}, {733, 1}, {438, 1},
                                        {489, 6}, {532, 7}, {467, 3}, {498, 1}};
constexpr SpectralLine VegaLines[] = {{450, 1}, {470, 1}, {560, 1}, {603, 1}, {642, 1}, {668, 1},
                                      {412, 1}, {433, 1}, {485, 1}, {653, 2}, {671, 1}, {610, 1}};
constexpr SpectralLine DenebLines[] = {{467, 3}, {498, 1}, {438, 1}, {489, 6}, {532, 7}, {589, 1},
                                       {450, 1}, {470, 1}, {560, 1}, {603, 1}, {642, 1}, {668, 1}};
constexpr SpectralLine BetelgeuseLines[] = {{412, 1}, {433, 1}, {485, 1}, {653, 2}, {671, 1},
                                            {610, 1}, {438, 1}, {489, 6}, {532, 7}, {405, 1},
                                            {436, 1}, {546, 1}, {577, 3}, {615, 1}};

void drawLines(Strip &continuum, std::span<const SpectralLine> lines)
{
    for (const SpectralLine &line : lines)
        DrawAbsorptionLine(continuum, line.wavelength, line.width);
}

} // namespace

const std::array<ElementRecord, ElementCount> ElementTable = {{
    {Element::Hydrogen, "BitBtn1", "Hydrogène", "Shape2", HydrogenLines},
    {Element::Lithium, "Button1", "Lithium", "Shape3", LithiumLines},
    {Element::Sodium, "BitBtn2", "Sodium", "Shape4", SodiumLines},
    {Element::Iron, "Button2", "Fer", "Shape5", IronLines},
    {Element::Mercury, "Button3", "Mercure", "Shape6", MercuryLines},
    {Element::Argon, "Button4", "Argon", "Shape7", ArgonLines},
    {Element::Titanium, "BitBtn4", "Titane", "Shape8", TitaniumLines},
    {Element::Calcium, "Button5", "Calcium", "Shape12", CalciumLines},
}};

const ElementRecord &ElementRecordOf(Element element)
{
    return ElementTable[std::size_t(element)];
}

std::span<const SpectralLine> StarLines(Star star)
{
    switch (star) {
    case Star::Deneb: return DenebLines;
    case Star::Vega: return VegaLines;
    case Star::Betelgeuse: return BetelgeuseLines;
    case Star::Pollux: return PolluxLines;
    }
    return {};
}

void DrawPolluxLines(Strip &continuum) { drawLines(continuum, PolluxLines); }
void DrawVegaLines(Strip &continuum) { drawLines(continuum, VegaLines); }
void DrawDenebLines(Strip &continuum) { drawLines(continuum, DenebLines); }
void DrawBetelgeuseLines(Strip &continuum) { drawLines(continuum, BetelgeuseLines); }

#include "sky_views.h"

const std::array<StarRecord, StarCount> StarTable = {{
    {Star::Deneb, SkyView::One, "shape9", Star::Vega, {730, 265}, {582, 347}, 8, DrawDenebLines},
    {Star::Vega, SkyView::One, "Shape10", Star::Deneb, {605, 90}, {542, 205}, 4, DrawVegaLines},
    {Star::Betelgeuse, SkyView::Two, "Shape11", Star::Pollux, {872, 330}, {804, 346}, 5,
     DrawBetelgeuseLines},
    {Star::Pollux, SkyView::Two, "Shape1", Star::Betelgeuse, {658, 175}, {540, 300}, 8,
     DrawPolluxLines},
}};

const StarRecord &StarRecordOf(Star star)
{
    return StarTable[std::size_t(star)];
}

const std::array<Star, StarCount> ViewChangeEraseOrder = {Star::Vega, Star::Betelgeuse, Star::Deneb,
                                                          Star::Pollux};

namespace {
constexpr const char *LabelsOne[] = {"Label4", "Label5"};
constexpr const char *LabelsTwo[] = {"Label6"};

const ViewRecord ViewOne{SkyView::One, "Image2", "Image6", LabelsOne, {"shape9", "Shape10"}};
const ViewRecord ViewTwo{SkyView::Two, "Image4", "Image5", LabelsTwo, {"Shape11", "Shape1"}};
} // namespace

const ViewRecord &ViewRecordOf(SkyView view)
{
    return view == SkyView::One ? ViewOne : ViewTwo;
}

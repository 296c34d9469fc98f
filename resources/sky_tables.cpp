#include "sky_tables.h"

namespace {

constexpr int Rows4[] = {2, 4, 4, 2};
constexpr int Rows6[] = {4, 6, 6, 6, 6, 4};
constexpr int Rows8[] = {4, 6, 8, 8, 8, 8, 6, 4};
constexpr int Rows10[] = {4, 6, 8, 10, 10, 10, 10, 8, 6, 4};
constexpr int Rows12[] = {4, 8, 10, 10, 12, 12, 12, 12, 10, 10, 8, 4};
constexpr int Rows14[] = {4, 8, 10, 12, 12, 14, 14, 14, 14, 12, 12, 10, 8, 4};

// View 1: Lyra and Cygnus, with Vega and Deneb.
constexpr SkyDisc DiscsOne[] = {
    {14, {53, 47}},   {14, {153, 181}}, {8, {152, 25}},  {8, {159, 85}},  {8, {214, 128}},
    {8, {161, 137}},  {6, {77, 15}},    {6, {91, 27}},   {6, {115, 129}}, {6, {265, 150}},
    {4, {289, 21}},   {4, {65, 36}},    {4, {77, 45}},   {4, {77, 140}},  {4, {89, 144}},
    {4, {189, 193}},  {4, {219, 207}},  {4, {176, 213}},
};
constexpr QPoint PointStarsOne[] = {
    {211, 11}, {17, 22},   {178, 28},  {230, 34},  {283, 53},  {116, 58},  {188, 65},  {246, 74},
    {34, 76},  {68, 84},   {101, 95},  {62, 96},   {288, 108}, {34, 141},  {123, 154}, {173, 154},
    {302, 162}, {223, 168}, {200, 171}, {251, 178}, {100, 186}, {103, 186}, {252, 198}, {282, 198},
    {54, 199}, {28, 205},  {136, 207}, {80, 219},  {46, 221},
};
constexpr FigureSegment FigureOne[] = {
    // Lyra: a small parallelogram hanging from Vega
    {{53, 47}, {63, 37}},   {{64, 36}, {77, 17}},    {{76, 15}, {89, 25}},
    {{88, 26}, {76, 43}},   {{75, 43}, {64, 36}},
    // Cygnus: a cross
    {{152, 27}, {157, 86}}, {{157, 86}, {160, 137}}, {{160, 138}, {153, 182}},
    {{161, 139}, {211, 129}}, {{213, 129}, {262, 150}}, {{158, 140}, {116, 129}},
    {{115, 130}, {88, 143}}, {{87, 144}, {77, 140}},
};

// View 2: Gemini, with Pollux, and Betelgeuse.
constexpr SkyDisc DiscsTwo[] = {
    {12, {97, 109}},  {12, {264, 227}}, {10, {214, 171}}, {8, {117, 67}},  {6, {193, 99}},
    {6, {228, 115}},  {6, {98, 135}},   {6, {157, 142}},  {6, {135, 147}}, {6, {203, 200}},
    {4, {175, 49}},   {4, {40, 71}},    {4, {237, 111}},  {4, {238, 115}}, {4, {40, 129}},
    {4, {63, 195}},
};
constexpr QPoint PointStarsTwo[] = {
    {89, 6},    {162, 14},  {6, 18},    {246, 18},  {197, 23},  {124, 26},  {50, 29},   {84, 42},
    {312, 52},  {69, 70},   {300, 76},  {36, 77},   {169, 86},  {144, 95},  {271, 95},  {158, 118},
    {246, 120}, {80, 127},  {11, 128},  {34, 146},  {54, 148},  {274, 161}, {96, 162},  {33, 186},
    {102, 192}, {234, 196}, {19, 210},  {139, 211}, {194, 226}, {304, 228},
};
// Two faint stars of 2 x 3 pixels, brightest at the bottom left.
constexpr Speck SpecksTwo[] = {
    {{271, 31}, qRgb(19, 23, 25)},    {{272, 31}, qRgb(19, 23, 25)},
    {{271, 32}, qRgb(156, 197, 210)}, {{272, 32}, qRgb(121, 154, 163)},
    {{271, 33}, qRgb(157, 199, 211)}, {{272, 33}, qRgb(50, 64, 68)},
    {{250, 83}, qRgb(29, 36, 38)},    {{251, 83}, qRgb(9, 11, 12)},
    {{250, 84}, qRgb(153, 194, 205)}, {{251, 84}, qRgb(54, 68, 72)},
    {{250, 85}, qRgb(157, 199, 211)}, {{251, 85}, qRgb(31, 39, 41)},
};
constexpr FigureSegment FigureTwo[] = {
    {{117, 67}, {98, 107}},   {{97, 108}, {97, 134}},   {{96, 137}, {134, 147}},
    {{133, 147}, {157, 141}}, {{155, 141}, {213, 170}}, {{213, 171}, {204, 198}},
    {{213, 170}, {226, 114}}, {{225, 114}, {190, 98}},  {{190, 98}, {118, 68}},
};

constexpr SkyViewTable ViewOne{DiscsOne, PointStarsOne, {}, FigureOne};
constexpr SkyViewTable ViewTwo{DiscsTwo, PointStarsTwo, SpecksTwo, FigureTwo};

} // namespace

const SkyViewTable &SkyViewTableOf(SkyView view)
{
    return view == SkyView::One ? ViewOne : ViewTwo;
}

DiscLayers LayersOfSize(int size)
{
    switch (size) {
    case 14: return {14, 12, 8};
    case 12: return {12, 10, 6};
    case 10: return {10, 8, 6};
    case 8: return {8, 6, 4};
    case 6: return {0, 6, 4};
    case 4: return {0, 0, 4};
    }
    return {0, 0, 0};
}

std::span<const int> DiscRowWidths(int diameter)
{
    switch (diameter) {
    case 4: return Rows4;
    case 6: return Rows6;
    case 8: return Rows8;
    case 10: return Rows10;
    case 12: return Rows12;
    case 14: return Rows14;
    }
    return {};
}

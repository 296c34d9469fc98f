#pragma once

#include <QPoint>
#include <QRgb>
#include <span>

// Colours of the sky pictures.
constexpr QRgb SkyBackground = qRgb(0, 0, 0);
constexpr QRgb StarCore = qRgb(157, 199, 211);
constexpr QRgb StarMiddleRing = qRgb(105, 133, 141);
constexpr QRgb StarOuterRing = qRgb(63, 79, 84);
constexpr QRgb FigureLine = qRgb(255, 255, 255);

constexpr int SkyWidth = 320;
constexpr int SkyHeight = 240;

// A star disc: its size (the diameter of the whole disc) and its centre, a
// point in picture coordinates.
struct SkyDisc
{
    int size;
    QPoint centre;
};

// The layers of a disc size, painted outer first; 0 where a size has none.
struct DiscLayers
{
    int outer;
    int middle;
    int core;
};

struct Speck
{
    QPoint pixel;
    QRgb colour;
};

// A figure line between two points of the picture.
struct FigureSegment
{
    QPoint from;
    QPoint to;
};

struct SkyViewTable
{
    std::span<const SkyDisc> discs;
    std::span<const QPoint> pointStars;
    std::span<const Speck> specks;
    std::span<const FigureSegment> figure;
};

enum class SkyView { One, Two };

const SkyViewTable &SkyViewTableOf(SkyView view);

DiscLayers LayersOfSize(int size);

// Row widths of a filled disc of the given diameter, top row first.
std::span<const int> DiscRowWidths(int diameter);

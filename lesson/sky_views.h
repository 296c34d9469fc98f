#pragma once

#include "line_catalogue.h"
#include "sky_tables.h"

#include <QPoint>
#include <array>
#include <span>

// Every link line runs from its star down to this point beside the continuum.
constexpr QPoint LinkEnd{420, 430};

// A star the pupil can pick: where it stands on the window, how its link line
// is drawn and erased, and which lines it shows on the continuum.
struct StarRecord
{
    Star star;
    SkyView view;
    const char *hotSpot;
    Star partner;
    QPoint linkStart;
    QPoint eraseEnd;
    int eraseWidth;
    void (*drawLines)(Strip &continuum);
};

// In the order of the Star enumeration.
extern const std::array<StarRecord, StarCount> StarTable;
const StarRecord &StarRecordOf(Star star);

// The order in which "Autre constellation" erases selections.
extern const std::array<Star, StarCount> ViewChangeEraseOrder;

struct ViewRecord
{
    SkyView view;
    const char *plainPicture;
    const char *figurePicture;
    std::span<const char *const> labels;
    std::array<const char *, 2> hotSpots;
};

const ViewRecord &ViewRecordOf(SkyView view);

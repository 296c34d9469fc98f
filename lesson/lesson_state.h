#pragma once

#include "line_catalogue.h"

#include <array>

// The lesson's fourteen flags. Exactly one view flag is true; at most one star
// is selected, and only a star of the current view.
struct LessonState
{
    std::array<bool, ElementCount> ElementShown{};
    std::array<bool, StarCount> StarSelected{};
    bool SkyViewOneCurrent = true;
    bool SkyViewTwoCurrent = false;

    bool &elementShown(Element element) { return ElementShown[std::size_t(element)]; }
    bool elementShown(Element element) const { return ElementShown[std::size_t(element)]; }
    bool &starSelected(Star star) { return StarSelected[std::size_t(star)]; }
    bool starSelected(Star star) const { return StarSelected[std::size_t(star)]; }
    bool anyStarSelected() const
    {
        for (const bool selected : StarSelected)
            if (selected)
                return true;
        return false;
    }
};

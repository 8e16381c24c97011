// Where docked children go inside their container: the rectangle arithmetic
// alone, without widgets, so that it can be checked number by number.
#pragma once

#include <QRect>

#include <vector>

namespace glyphwright::ui {

enum class DockSide { Top, Bottom, Left, Fill };

struct DockRequest {
    DockSide side = DockSide::Fill;
    int extent = 0; // height for Top and Bottom, width for Left; unused for Fill
    bool visible = true;
};

// One rectangle per request, in the same order. Top children take their
// height from the top of what remains, in list order; Bottom children from
// the bottom upwards, in list order (the first is the lowest); Left children
// their width from the left; a Fill child takes the rest, or an empty
// rectangle when nothing is left. A hidden child takes no room and gets an
// empty rectangle.
std::vector<QRect> ArrangeDocked(const QRect& area, const std::vector<DockRequest>& requests);

} // namespace glyphwright::ui

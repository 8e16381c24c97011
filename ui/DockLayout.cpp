#include "ui/DockLayout.h"

#include <algorithm>

namespace glyphwright::ui {

namespace {

// What is still free. Kept as edges rather than a QRect so that an exhausted
// area can go "negative" without QRect normalising it.
struct FreeArea {
    int left, top, right, bottom; // right and bottom exclusive

    int Width() const { return std::max(0, right - left); }
    int Height() const { return std::max(0, bottom - top); }
};

} // namespace

std::vector<QRect> ArrangeDocked(const QRect& area, const std::vector<DockRequest>& requests) {
    std::vector<QRect> placed(requests.size());
    FreeArea free{area.left(), area.top(), area.left() + area.width(), area.top() + area.height()};

    const auto each = [&](DockSide side, auto&& place) {
        for (std::size_t i = 0; i < requests.size(); ++i) {
            if (requests[i].side == side && requests[i].visible) {
                placed[i] = place(requests[i].extent);
            }
        }
    };
    each(DockSide::Top, [&](int height) {
        const QRect r(free.left, free.top, free.Width(), height);
        free.top += height;
        return r;
    });
    each(DockSide::Bottom, [&](int height) {
        free.bottom -= height;
        return QRect(free.left, free.bottom, free.Width(), height);
    });
    each(DockSide::Left, [&](int width) {
        const QRect r(free.left, free.top, width, free.Height());
        free.left += width;
        return r;
    });
    each(DockSide::Fill,
         [&](int) { return QRect(free.left, free.top, free.Width(), free.Height()); });
    return placed;
}

} // namespace glyphwright::ui

// The first position of a top-level window: centred on the primary screen.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace glyphwright::ui {

// Top-left corner of a window of outer size `window` centred on `screen`:
// (screen - window) / 2 on each axis, truncated toward zero and raised to 0
// when negative, so that the caption stays reachable on a small screen.
QPoint CentredPosition(const QRect& screen, const QSize& window);

// Moves the window, frame included, to the centre of the primary screen; a
// window manager's frame counts once it is known, when the window is shown.
void MoveToScreenCentre(QWidget& window);

} // namespace glyphwright::ui

// A window manager frames a window only once it is mapped, so a window placed
// by its frame before that lands off by the frame. These place it again by
// the same rule once the frame is known.
#pragma once

#include <QPoint>
#include <QSize>

#include <functional>

class QWidget;

namespace glyphwright::ui {

// Where the frame of a window of that outer size goes.
using FramePlacementRule = std::function<QPoint(const QSize& frameSize)>;

// Moves window by rule, with the frame the platform knows now, and again
// when it is first shown (PlaceAgainWhenFramed).
void PlaceFrame(QWidget& window, FramePlacementRule rule);

// Once window is first shown and the window manager has framed and placed it,
// moves it by rule with the frame it then has. Without a window manager, or
// where the frame is known before mapping, this changes nothing.
void PlaceAgainWhenFramed(QWidget& window, FramePlacementRule rule);

} // namespace glyphwright::ui

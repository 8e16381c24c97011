#include "ui/WindowPlacement.h"

#include "ui/FramePlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace glyphwright::ui {

QPoint CentredPosition(const QRect& screen, const QSize& window) {
    const int left = std::max(0, (screen.width() - window.width()) / 2);
    const int top = std::max(0, (screen.height() - window.height()) / 2);
    return screen.topLeft() + QPoint(left, top);
}

void MoveToScreenCentre(QWidget& window) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    const QRect area = screen->geometry();
    PlaceFrame(window, [area](const QSize& frame) { return CentredPosition(area, frame); });
}

} // namespace glyphwright::ui

#include "ui/WindowPlacement.h"

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
    // Creating the native window first lets platforms that know their frame
    // margins before mapping report them; elsewhere the frame counts as zero.
    window.winId();
    window.move(CentredPosition(screen->geometry(), window.frameGeometry().size()));
}

} // namespace glyphwright::ui

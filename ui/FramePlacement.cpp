#include "ui/FramePlacement.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace glyphwright::ui {

namespace {

// A window manager frames and places a window as it maps it, in steps of its
// own; the window is placed again once its frame has kept still this long.
constexpr int kSettleMs = 100;
// Gives up waiting for stillness after this many steps and places it anyway.
constexpr int kMostSteps = 20;

// Watches the native window from its first exposure until its frame settles,
// then places it once more and goes.
class PlaceWhenFramed : public QObject {
public:
    PlaceWhenFramed(QWidget& window, FramePlacementRule rule)
        : QObject(&window), window_(window), rule_(std::move(rule)), size_(window.size()) {
        settled_.setSingleShot(true);
        settled_.setInterval(kSettleMs);
        connect(&settled_, &QTimer::timeout, this, &PlaceWhenFramed::Place);
        window_.windowHandle()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        const bool firstExposure =
            type == QEvent::Expose && !exposed_ && window_.windowHandle()->isExposed();
        const bool stepOfTheManager = exposed_ && (type == QEvent::Move || type == QEvent::Resize);
        if (firstExposure || stepOfTheManager) {
            exposed_ = true;
            if (++steps_ >= kMostSteps) {
                Place();
            } else {
                settled_.start();
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void Place() {
        settled_.stop();
        window_.windowHandle()->removeEventFilter(this);
        // The size the window was given: while it frames a window, a manager
        // may report passing sizes (seen: 1 x 1).
        const QPoint wanted = rule_(size_.grownBy(window_.windowHandle()->frameMargins()));
        if (window_.frameGeometry().topLeft() != wanted) {
            // By the frame's corner, which the manager places itself.
            window_.windowHandle()->setFramePosition(wanted);
        }
        deleteLater();
    }

    QWidget& window_;
    FramePlacementRule rule_;
    const QSize size_;
    QTimer settled_;
    bool exposed_ = false;
    int steps_ = 0;
};

} // namespace

void PlaceFrame(QWidget& window, FramePlacementRule rule) {
    // Creating the native window lets platforms that know their frame before
    // mapping report it now.
    window.winId();
    window.move(rule(window.frameGeometry().size()));
    PlaceAgainWhenFramed(window, std::move(rule));
}

void PlaceAgainWhenFramed(QWidget& window, FramePlacementRule rule) {
    window.winId();
    if (window.windowHandle() != nullptr) {
        new PlaceWhenFramed(window, std::move(rule));
    }
}

} // namespace glyphwright::ui

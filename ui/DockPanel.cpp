#include "ui/DockPanel.h"

#include <QEvent>

namespace glyphwright::ui {

DockPanel::DockPanel(const QString& name, QWidget* parent) : QWidget(parent) {
    setObjectName(name);
}

void DockPanel::Dock(QWidget* child, DockSide side, int extent) {
    child->setParent(this);
    docked_.push_back({child, side, extent});
    // Showing or hiding a docked child must close up the others at once,
    // not at the next layout pass.
    child->installEventFilter(this);
    Arrange();
}

void DockPanel::Arrange() {
    std::vector<DockRequest> requests;
    requests.reserve(docked_.size());
    for (const Docked& d : docked_) {
        requests.push_back({d.side, d.extent, !d.widget->isHidden()});
    }
    const std::vector<QRect> placed = ArrangeDocked(rect(), requests);
    for (std::size_t i = 0; i < docked_.size(); ++i) {
        if (requests[i].visible) {
            docked_[i].widget->setGeometry(placed[i]);
        }
    }
}

void DockPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Arrange();
}

bool DockPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent) {
        Arrange();
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace glyphwright::ui

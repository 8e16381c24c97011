// A container without border or text that lays out its docked children by
// ArrangeDocked whenever it is resized or one of them is shown or hidden.
// Children added with plain parenting keep their own geometry.
#pragma once

#include "ui/DockLayout.h"

#include <QWidget>

#include <vector>

namespace glyphwright::ui {

class DockPanel : public QWidget {
    Q_OBJECT
public:
    DockPanel(const QString& name, QWidget* parent);

    // Makes child a docked child of this panel; extent is its height for
    // Top/Bottom, its width for Left (already scaled).
    void Dock(QWidget* child, DockSide side, int extent = 0);

    void Arrange();

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Docked {
        QWidget* widget;
        DockSide side;
        int extent;
    };
    std::vector<Docked> docked_;
};

} // namespace glyphwright::ui

#include "ui/CheckListView.h"

#include "ui/CheckItemDelegate.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace glyphwright::ui {

CheckListView::CheckListView(QWidget* parent) : QListView(parent) {
    setItemDelegate(new CheckItemDelegate(this));
}

int CheckListView::CheckColumnWidth() const {
    return ui::CheckColumnWidth(style(), this);
}

void CheckListView::mousePressEvent(QMouseEvent* event) {
    Press(event);
}

void CheckListView::mouseDoubleClickEvent(QMouseEvent* event) {
    Press(event);
}

void CheckListView::Press(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    const QModelIndex entry = indexAt(point);
    // Only the left button selects, and it does so before the toggle; the
    // other buttons leave the selection alone.
    if (event->button() == Qt::LeftButton) {
        QListView::mousePressEvent(event);
    } else {
        event->accept();
    }
    if (entry.isValid() && point.x() - visualRect(entry).left() < CheckColumnWidth()) {
        emit ToggleMark(entry.row());
    }
}

void CheckListView::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Space) {
        QListView::keyPressEvent(event);
        return;
    }
    // Space turns the selected entry over and never selects one itself.
    event->accept();
    if (selectionModel() == nullptr) {
        return;
    }
    const QModelIndexList selected = selectionModel()->selectedRows();
    if (!selected.isEmpty()) {
        emit ToggleMark(selected.first().row());
    }
}

} // namespace glyphwright::ui

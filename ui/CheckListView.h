// A list whose entries carry an on/off mark, drawn as a check box in a column
// at each entry's left edge. Every mouse press inside that column, with any
// button and the second press of a double-click included, asks for the
// entry's mark to be turned over, and so does Space for the selected entry.
// The view never changes a mark itself: the owner of the entries answers
// ToggleMark, and the model tells the view to redraw the row.
#pragma once

#include <QListView>

namespace glyphwright::ui {

class CheckListView : public QListView {
    Q_OBJECT
public:
    explicit CheckListView(QWidget* parent = nullptr);

    // The check box column, in pixels from an entry's left edge.
    int CheckColumnWidth() const;

signals:
    void ToggleMark(int row);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    // Qt turns the second press of a double-click into this event; it
    // toggles like any other press.
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Press(QMouseEvent* event);
};

} // namespace glyphwright::ui

// Draws an entry of a check list: a check box centred in a column at the
// entry's left edge, showing the entry's Qt::CheckStateRole data, then the
// entry's text. Only the text part is highlighted when the entry is selected.
#pragma once

#include <QStyledItemDelegate>

class QStyle;

namespace glyphwright::ui {

// The width of the check box column: the style's check box plus 2 pixels.
int CheckColumnWidth(const QStyle* style, const QWidget* widget);

class CheckItemDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

} // namespace glyphwright::ui

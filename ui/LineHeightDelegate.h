// The entries of a list, each one line high, and at least one line of the
// design, scaled for the display: the scalable face's own line is a pixel
// lower than the classic font's.
#pragma once

#include <QStyledItemDelegate>

namespace glyphwright::ui {

class LineHeightDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // The height of a row whose content wants contentHeight.
    static int RowHeight(int contentHeight);
};

} // namespace glyphwright::ui

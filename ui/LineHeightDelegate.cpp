#include "ui/LineHeightDelegate.h"

#include "ui/Fonts.h"

#include <algorithm>

namespace glyphwright::ui {

QSize LineHeightDelegate::sizeHint(const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(RowHeight(size.height()));
    return size;
}

int LineHeightDelegate::RowHeight(int contentHeight) {
    return std::max(contentHeight, Scaled(kDesignLineHeight));
}

} // namespace glyphwright::ui

#include "ui/LineHeightDelegate.h"

#include "ui/Fonts.h"

#include <QApplication>
#include <QStyle>

#include <algorithm>

namespace glyphwright::ui {

QSize LineHeightDelegate::sizeHint(const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    // The height is measured on letters of the row's own font: a mark or
    // letter that font lacks comes from a taller fallback font, and the rows
    // share the height of one of them.
    QStyleOptionViewItem sample = option;
    initStyleOption(&sample, index);
    sample.text = QStringLiteral("Xg");
    const QWidget* widget = option.widget;
    const QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
    const QSize line = style->sizeFromContents(QStyle::CT_ItemViewItem, &sample, QSize(), widget);
    size.setHeight(RowHeight(line.height()));
    return size;
}

int LineHeightDelegate::RowHeight(int contentHeight) {
    return std::max(contentHeight, Scaled(kDesignLineHeight));
}

} // namespace glyphwright::ui

#include "ui/CheckItemDelegate.h"

#include "ui/LineHeightDelegate.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

#include <algorithm>

namespace glyphwright::ui {
namespace {

const QStyle* StyleOf(const QStyleOptionViewItem& item) {
    return item.widget != nullptr ? item.widget->style() : QApplication::style();
}

// The entry as the style would draw it, but without the style's own check
// box, which it would place with margins of its own.
QStyleOptionViewItem TextOnly(const QStyleOptionViewItem& item) {
    QStyleOptionViewItem text = item;
    text.features &= ~QStyleOptionViewItem::HasCheckIndicator;
    return text;
}

} // namespace

int CheckColumnWidth(const QStyle* style, const QWidget* widget) {
    return style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, widget) + 2;
}

void CheckItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const QStyle* style = StyleOf(item);
    const int column = CheckColumnWidth(style, item.widget);

    QStyleOptionViewItem text = TextOnly(item);
    text.rect.setLeft(item.rect.left() + column);
    style->drawControl(QStyle::CE_ItemViewItem, &text, painter, item.widget);

    const bool hasMark = (item.features & QStyleOptionViewItem::HasCheckIndicator) != 0;
    if (!hasMark) {
        return;
    }
    const int boxWidth = style->pixelMetric(QStyle::PM_IndicatorWidth, &item, item.widget);
    const int boxHeight = style->pixelMetric(QStyle::PM_IndicatorHeight, &item, item.widget);
    QStyleOptionViewItem box = item;
    box.rect = QRect(item.rect.left() + (column - boxWidth) / 2,
                     item.rect.top() + (item.rect.height() - boxHeight) / 2, boxWidth, boxHeight);
    // The box stands outside the selection: a selected entry keeps a whole
    // box, where the style would draw the bare mark on the highlight.
    box.state &= ~(QStyle::State_HasFocus | QStyle::State_Selected | QStyle::State_On |
                   QStyle::State_Off | QStyle::State_NoChange);
    box.state |= item.checkState == Qt::Checked ? QStyle::State_On : QStyle::State_Off;
    style->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &box, painter, item.widget);
}

QSize CheckItemDelegate::sizeHint(const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const {
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const QStyle* style = StyleOf(item);
    const QStyleOptionViewItem text = TextOnly(item);
    QSize size = style->sizeFromContents(QStyle::CT_ItemViewItem, &text, QSize(), item.widget);
    size.rwidth() += CheckColumnWidth(style, item.widget);
    const int boxHeight = style->pixelMetric(QStyle::PM_IndicatorHeight, &item, item.widget);
    size.setHeight(LineHeightDelegate::RowHeight(std::max(size.height(), boxHeight)));
    return size;
}

} // namespace glyphwright::ui

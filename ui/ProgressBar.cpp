#include "ui/ProgressBar.h"

#include <QStyleOptionProgressBar>
#include <QStylePainter>

namespace glyphwright::ui {

void ProgressBar::paintEvent(QPaintEvent* event) {
    if (minimum() != maximum()) {
        QProgressBar::paintEvent(event);
        return;
    }
    QStylePainter painter(this);
    QStyleOptionProgressBar option;
    initStyleOption(&option);
    option.maximum = option.minimum + 1;
    option.progress = option.minimum;
    painter.drawControl(QStyle::CE_ProgressBar, option);
}

} // namespace glyphwright::ui

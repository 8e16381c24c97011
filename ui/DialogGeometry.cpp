#include "ui/DialogGeometry.h"

#include <algorithm>
#include <cassert>
#include <cstdint>

namespace glyphwright::ui {

namespace {

// Division rounding towards minus infinity, for a positive divisor.
std::int64_t FloorDivide(std::int64_t numerator, std::int64_t divisor) {
    const std::int64_t quotient = numerator / divisor;
    return (numerator % divisor != 0 && numerator < 0) ? quotient - 1 : quotient;
}

} // namespace

int MulDiv(int n, int b, int d) {
    assert(d != 0);
    std::int64_t product = std::int64_t{n} * b;
    std::int64_t divisor = d;
    if (divisor < 0) {
        product = -product;
        divisor = -divisor;
    }
    // floor(product / divisor + 1/2), in integers.
    return static_cast<int>(FloorDivide(2 * product + divisor, 2 * divisor));
}

DialogUnits DialogUnitsFromMeasure(int sampleWidth, int lineHeight) {
    return {sampleWidth / kDialogUnitsSampleLength, lineHeight};
}

MessageBoxMetrics MessageBoxMetricsFor(DialogUnits units) {
    MessageBoxMetrics m;
    m.horizontalMargin = MulDiv(8, units.x, 4);
    m.verticalMargin = MulDiv(8, units.y, 8);
    m.horizontalSpacing = MulDiv(10, units.x, 4);
    m.verticalSpacing = MulDiv(10, units.y, 8);
    m.buttonWidth = MulDiv(50, units.x, 4);
    m.buttonHeight = MulDiv(14, units.y, 8);
    m.buttonSpacing = MulDiv(4, units.x, 4);
    return m;
}

int MessageTextWrapWidth(const QRect& screen) {
    return screen.width() / 2;
}

int MessageTextMaxWidth(const QRect& workArea, const QMargins& frame, DialogUnits units,
                        bool hasIcon) {
    const MessageBoxMetrics m = MessageBoxMetricsFor(units);
    const int icon = hasIcon ? kMessageIconSize + m.horizontalSpacing : 0;
    return workArea.width() - frame.left() - frame.right() - 2 * m.horizontalMargin - icon;
}

QSize FrameSize(const QSize& clientSize, const QMargins& frame) {
    return clientSize.grownBy(frame);
}

QPoint MessageBoxFramePosition(const QRect& screen, const QSize& frameSize) {
    const int left = screen.width() / 2 - frameSize.width() / 2;
    const int top = screen.height() / 2 - frameSize.height() / 2;
    return screen.topLeft() + QPoint(std::max(left, 0), std::max(top, 0));
}

MessageBoxLayout LayOutMessageBox(const MessageBoxRequest& request) {
    const MessageBoxMetrics m = MessageBoxMetricsFor(request.units);
    const int textWidth = request.textSize.width();
    const int textHeight = request.textSize.height();

    const int blockWidth =
        request.hasIcon ? textWidth + kMessageIconSize + m.horizontalSpacing : textWidth;
    const int blockHeight = request.hasIcon ? std::max(textHeight, kMessageIconSize) : textHeight;
    const int buttonCount = std::max(request.buttonCount, 0);
    const int groupWidth =
        buttonCount * m.buttonWidth + std::max(buttonCount - 1, 0) * m.buttonSpacing;

    MessageBoxLayout layout;
    layout.clientSize =
        QSize(std::max(blockWidth, groupWidth) + 2 * m.horizontalMargin,
              blockHeight + m.buttonHeight + m.verticalSpacing + 2 * m.verticalMargin);
    if (request.hasIcon) {
        layout.iconRect =
            QRect(m.horizontalMargin, m.verticalMargin, kMessageIconSize, kMessageIconSize);
    }
    layout.textRect =
        QRect(m.horizontalMargin + blockWidth - textWidth, m.verticalMargin, textWidth, textHeight);

    const int buttonTop = blockHeight + m.verticalMargin + m.verticalSpacing;
    int buttonLeft = (layout.clientSize.width() - groupWidth) / 2;
    for (int i = 0; i < buttonCount; ++i) {
        layout.buttonRects.emplace_back(buttonLeft, buttonTop, m.buttonWidth, m.buttonHeight);
        buttonLeft += m.buttonWidth + m.buttonSpacing;
    }
    layout.framePosition =
        MessageBoxFramePosition(request.screen, FrameSize(layout.clientSize, request.frame));
    return layout;
}

int InputEditHeight(int lineHeight) {
    return lineHeight + 8;
}

InputDialogLayout LayOutInputDialog(DialogUnits units, const QSize& promptSize, int editHeight) {
    const int left = MulDiv(8, units.x, 4);
    const int buttonWidth = MulDiv(50, units.x, 4);
    const int buttonHeight = MulDiv(14, units.y, 8);
    const int buttonTop = MulDiv(41, units.y, 8);

    InputDialogLayout layout;
    layout.clientSize = QSize(MulDiv(180, units.x, 4), MulDiv(63, units.y, 8));
    layout.promptRect = QRect(QPoint(left, MulDiv(8, units.y, 8)), promptSize);
    layout.editRect = QRect(left, MulDiv(19, units.y, 8), MulDiv(164, units.x, 4), editHeight);
    layout.okButtonRect = QRect(MulDiv(38, units.x, 4), buttonTop, buttonWidth, buttonHeight);
    layout.cancelButtonRect = QRect(MulDiv(92, units.x, 4), buttonTop, buttonWidth, buttonHeight);
    return layout;
}

QPoint InputDialogFramePosition(const QRect& screen, const QSize& frameSize) {
    const int left = (screen.width() - frameSize.width()) / 2;
    const int top = (screen.height() - frameSize.height()) / 2;
    return screen.topLeft() + QPoint(std::max(left, 0), std::max(top, 0));
}

} // namespace glyphwright::ui

#include "ui/StepNumberLabel.h"

#include <QEvent>
#include <QPalette>

#include <algorithm>
#include <cmath>

namespace glyphwright::ui {

namespace {

const QColor kNavy(0, 0, 128);
const QColor kLightBlue(0x8c, 0xb4, 0xff);

// Relative luminance and contrast ratio as the web's accessibility
// guidelines define them.
double Luminance(const QColor& colour) {
    const auto linear = [](double channel) {
        return channel <= 0.03928 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

double Contrast(const QColor& a, const QColor& b) {
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace

QColor StepNumberColour(const QColor& background) {
    const double navy = Contrast(kNavy, background);
    if (navy >= 4.5) {
        return kNavy;
    }
    return Contrast(kLightBlue, background) > navy ? kLightBlue : kNavy;
}

StepNumberLabel::StepNumberLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    FollowBackground();
}

void StepNumberLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        FollowBackground();
    }
}

void StepNumberLabel::FollowBackground() {
    const QColor wanted = StepNumberColour(palette().color(QPalette::Window));
    // Only on a change: setting the palette sends another PaletteChange.
    if (palette().color(QPalette::WindowText) != wanted) {
        QPalette own = palette();
        own.setColor(QPalette::WindowText, wanted);
        setPalette(own);
    }
}

} // namespace glyphwright::ui

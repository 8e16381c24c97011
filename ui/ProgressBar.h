// The window's progress bar. A range of 0 to 0 (an encode run over an empty
// list) shows an empty bar, where Qt would draw a moving "busy" stripe.
#pragma once

#include <QProgressBar>

namespace glyphwright::ui {

class ProgressBar : public QProgressBar {
    Q_OBJECT
public:
    using QProgressBar::QProgressBar;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace glyphwright::ui

// The big step numbers "1.", "2.", "3.": navy, as on the classic grey, unless
// the desktop's window colour is too dark for navy to be read on it.
#pragma once

#include <QColor>
#include <QLabel>

namespace glyphwright::ui {

// Navy when it stands out from background well enough to read (a contrast of
// 4.5 to 1), else navy or a light blue, whichever stands out more.
QColor StepNumberColour(const QColor& background);

class StepNumberLabel : public QLabel {
    Q_OBJECT
public:
    StepNumberLabel(const QString& text, QWidget* parent);

protected:
    // The desktop may change its colours while the window is open.
    void changeEvent(QEvent* event) override;

private:
    void FollowBackground();
};

} // namespace glyphwright::ui

// A push button of the program's windows, which have no default button:
// Enter presses it while it has the focus, as Space does.
#pragma once

#include <QPushButton>

namespace glyphwright::ui {

class PushButton : public QPushButton {
    Q_OBJECT
public:
    PushButton(const QString& text, QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace glyphwright::ui

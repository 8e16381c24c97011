#include "ui/PushButton.h"

#include <QKeyEvent>

namespace glyphwright::ui {

PushButton::PushButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {
    // Qt presses a button on Enter only when it is a (possible) default
    // button, which would also draw it framed as one: Enter is handled below.
    setAutoDefault(false);
    setDefault(false);
}

void PushButton::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (enter && modifiers == Qt::NoModifier && !event->isAutoRepeat()) {
        event->accept();
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

} // namespace glyphwright::ui

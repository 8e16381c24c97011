#include "ui/DialogWindow.h"

#include "ui/Dialogs.h"

#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

namespace glyphwright::ui {

namespace {

// Modal over the window that was active, so the dialog needs no task-bar entry of its own.
QWidget* CurrentTopWindow() {
    if (QWidget* modal = QApplication::activeModalWidget()) {
        return modal;
    }
    return QApplication::activeWindow();
}

constexpr Qt::WindowFlags kDialogFrame = Qt::Dialog | Qt::CustomizeWindowHint |
                                         Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                         Qt::WindowCloseButtonHint;

} // namespace

DialogWindow::DialogWindow(const QString& caption) : QDialog(CurrentTopWindow(), kDialogFrame) {
    setWindowTitle(caption);
    setSizeGripEnabled(false);
}

QPushButton* DialogWindow::AddButton(const QString& caption, int result, const char* objectName) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setAutoDefault(true);
    connect(button, &QPushButton::clicked, this, [this, result] { done(result); });
    buttons_.push_back(button);
    return button;
}

QMargins DialogWindow::FrameMargins() {
    winId(); // the frame is known only once the native window exists
    QMargins margins = windowHandle() != nullptr ? windowHandle()->frameMargins() : QMargins();
    // A window manager frames a window only once it is mapped; until then the frame of the
    // window the dialog belongs to is the best estimate.
    if (margins.isNull() && parentWidget() != nullptr) {
        if (const QWindow* owner = parentWidget()->window()->windowHandle()) {
            margins = owner->frameMargins();
        }
    }
    return margins;
}

void DialogWindow::reject() {
    done(ResultCancel);
}

void DialogWindow::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Cancel)) {
        if (cancelButton_ != nullptr) {
            cancelButton_->click();
        } else {
            reject();
        }
        return;
    }
    if (PressMnemonicWithoutAlt(*event)) {
        return;
    }
    QDialog::keyPressEvent(event);
}

// While a button has the focus, a button's access letter presses it without Alt as well.
bool DialogWindow::PressMnemonicWithoutAlt(const QKeyEvent& event) {
    const Qt::KeyboardModifiers modifiers =
        event.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    if (modifiers != Qt::NoModifier || qobject_cast<QPushButton*>(focusWidget()) == nullptr) {
        return false;
    }
    for (QPushButton* button : buttons_) {
        const QKeySequence mnemonic = QKeySequence::mnemonic(button->text());
        if (!mnemonic.isEmpty() && mnemonic[0].key() == event.key() && button->isEnabled()) {
            button->click();
            return true;
        }
    }
    return false;
}

QRect PrimaryScreenRect() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        return screen->geometry();
    }
    return QRect(0, 0, 640, 480);
}

QRect PrimaryScreenWorkArea() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        return screen->availableGeometry();
    }
    return QRect(0, 0, 640, 480);
}

int RunAndDestroy(QDialog* dialog) {
    const QPointer<QWidget> previouslyActive(QApplication::activeWindow());
    const QPointer<QDialog> guard(dialog);
    int result = dialog->exec();
    if (guard.isNull()) {
        result = ResultCancel;
    } else {
        delete guard.data();
    }
    // The window the user worked in gets the keyboard back.
    if (!previouslyActive.isNull() && previouslyActive->isVisible()) {
        previouslyActive->activateWindow();
    }
    return result;
}

} // namespace glyphwright::ui

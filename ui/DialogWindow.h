// The common frame of the message boxes and the input dialog: a fixed-size dialog with caption
// and close box, push buttons that close it with their result, and the keyboard rules.
#pragma once

#include <QDialog>
#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <vector>

class QPushButton;

namespace glyphwright::ui {

// Object names of the dialogs' controls, for tests and accessibility tools.
inline constexpr char kMessageTextName[] = "MessageText";
inline constexpr char kMessageIconName[] = "MessageIcon";
inline constexpr char kPromptName[] = "Prompt";
inline constexpr char kEditName[] = "Edit";
inline constexpr char kOkButtonName[] = "OkButton";
inline constexpr char kCancelButtonName[] = "CancelButton";
inline constexpr char kYesButtonName[] = "YesButton";
inline constexpr char kNoButtonName[] = "NoButton";

class DialogWindow : public QDialog {
    Q_OBJECT

public:
    explicit DialogWindow(const QString& caption);

    // A button that closes the dialog with result when pressed.
    QPushButton* AddButton(const QString& caption, int result, const char* objectName);
    // The button that Esc presses.
    void SetCancelButton(QPushButton* button) { cancelButton_ = button; }

    // The frame that the window system puts around the client area, caption included.
    QMargins FrameMargins();
    void SetClientSize(const QSize& size) { setFixedSize(size); }
    void MoveFrameTo(const QPoint& position) { move(position); }

    // Closing without a button (close box, Alt+F4, the program ending) answers cancel.
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool PressMnemonicWithoutAlt(const QKeyEvent& event);

    std::vector<QPushButton*> buttons_;
    QPushButton* cancelButton_ = nullptr;
};

// The primary screen's geometry, or a VGA-sized stand-in when no screen is attached.
QRect PrimaryScreenRect();

// The part of it that windows may take (without panels and docks), or the same stand-in.
QRect PrimaryScreenWorkArea();

// Runs the dialog modally, destroys it, activates the window that was active before and
// returns the dialog's result; cancel when it was destroyed from outside while open.
int RunAndDestroy(QDialog* dialog);

} // namespace glyphwright::ui

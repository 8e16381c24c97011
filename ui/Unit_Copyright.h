// The about window: the program's licence in an editable box and an OK
// button. Created hidden at start-up and never destroyed before the end;
// closing it only hides it, so typed text, position and size survive.
#pragma once

#include <QWidget>

class QPlainTextEdit;
class QPushButton;

namespace glyphwright::ui {

class TForm_Copyright : public QWidget {
    Q_OBJECT
public:
    explicit TForm_Copyright(QWidget* parent = nullptr);

    // Shows the window and brings it to the front; centred on the screen the
    // first time, afterwards where the user left it. The window belongs to
    // owner, when given: the desktop then shows no task-bar entry of its own
    // for it and keeps it above owner.
    void ShowInFront(QWidget* owner = nullptr);

public slots:
    void Button1Click();

private:
    // Found by objectName from outside, like every control of the program.
    QPlainTextEdit* Memo1;
    QPushButton* Button1;

    bool placed_ = false;
};

// The licence as the about window shows it: each paragraph of the LICENSE
// file joined into one line, so that the box wraps it at its own width.
QString LicenceText();

} // namespace glyphwright::ui

// The application object: reports every failure that escapes an event
// handler in the error box and keeps the program running.
#pragma once

#include <QApplication>

namespace glyphwright::ui {

class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

// Title, desktop file name, style, palette, fonts and icon: everything that
// makes the program look the same on every desktop. Tests call it too.
void SetUpApplication(QApplication& app);

} // namespace glyphwright::ui

// The application object: reports every failure that escapes an event
// handler in the error box and keeps the program running.
#pragma once

#include "wording/Language.h"

#include <QApplication>
#include <QPalette>

namespace glyphwright::ui {

class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

// Title, desktop file name, style, palette, fonts and icon: the classic
// controls in the desktop's colours; and the language, chosen once from the
// locale variables. Tests call it too.
void SetUpApplication(QApplication& app);

// The window's words in language: English from the program's own
// translation; German as written, with Qt's own German for the texts Qt
// draws itself (a text field's context menu), where Qt's translations are
// installed. A plain QCoreApplication, without a display, may take them too.
void UseWindowLanguage(QCoreApplication& app, wording::Language language);

// The palette the windows use: the one Qt offered at start, taken from the
// desktop's theme, unless it is Qt's own fallback (qtOwn), which means the
// desktop named no colours; then the classic grey.
QPalette WindowPalette(const QPalette& offered, const QPalette& qtOwn, const QPalette& classic);

} // namespace glyphwright::ui

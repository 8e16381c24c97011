// The application object: reports every failure that escapes an event
// handler in the error box and keeps the program running, and knows whether
// a conversion run or a folder walk (a BusyScope) is going on.
#pragma once

#include "wording/Language.h"

#include <QApplication>
#include <QPalette>
#include <QPointer>

#include <functional>
#include <vector>

namespace glyphwright::ui {

class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // The program's application object; the process has one.
    static Application& Instance();

    // Whether a run or a walk is going on.
    bool Busy() const { return busyScopes_ > 0; }

    // Runs work from the event loop once nothing is going on, as long as
    // context lives: at the next turn of the loop, or after the run or walk.
    void WhenIdle(QObject* context, std::function<void()> work);

private:
    friend class BusyScope;
    void BusyBegins();
    // The last one to end runs the work that waited for it.
    void BusyEnds();

    struct IdleWork {
        QPointer<QObject> context = {};
        std::function<void()> work = {};
    };
    int busyScopes_ = 0;
    std::vector<IdleWork> waitingForIdle_;
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

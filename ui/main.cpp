// Start-up: the application, its title, the main window (whose FormCreate
// loads the settings), the hidden about window, then the event loop until the
// main window closes. Files and folders named on the command line are taken
// in once the window is up, as a drop would take them.
#include "settings/SettingsPath.h"
#include "ui/Application.h"
#include "ui/CloseOnSignals.h"
#include "ui/StartArguments.h"
#include "ui/Unit1.h"
#include "ui/Unit_Copyright.h"

#include <QCoreApplication>

#include <memory>

int main(int argc, char** argv) {
    using namespace glyphwright::ui;

    IgnoreFileSizeSignal();
    // --help and --version are answered without a display, in the window's
    // language.
    if (const StartRequest early = ParseStartArguments(ArgumentsOf(argc, argv), {});
        early.kind == StartRequest::Kind::Help || early.kind == StartRequest::Kind::Version) {
        QCoreApplication core(argc, argv);
        UseWindowLanguage(core, glyphwright::wording::LanguageFor(
                                    glyphwright::wording::LocaleVariablesFromEnvironment()));
        return AnswerWithoutWindow(early);
    }
    Application app(argc, argv);
    SetUpApplication(app);
    // Qt has taken its own options out of argv by now.
    const StartRequest request = ParseStartArguments(ArgumentsOf(argc, argv), CurrentFolder());
    if (request.kind != StartRequest::Kind::Window) {
        return AnswerWithoutWindow(request);
    }

    auto mainWindow = std::make_unique<TForm1>(glyphwright::SettingsFilePath());
    // Ending signals close the window as the user would, so the list is saved.
    new CloseOnSignals(*mainWindow);
    auto aboutWindow = std::make_unique<TForm_Copyright>();
    mainWindow->SetAboutWindow(aboutWindow.get());

    mainWindow->ShowAtFirstPosition();
    if (!request.paths.empty()) {
        // With the settings loaded, so that the marked extensions count.
        app.WhenIdle(mainWindow.get(),
                     [window = mainWindow.get(), paths = request.paths] { window->TakeIn(paths); });
    }
    return Application::exec();
}

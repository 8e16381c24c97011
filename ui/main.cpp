// Start-up: the application, its title, the main window (whose FormCreate
// loads the settings), the hidden about window, then the event loop until the
// main window closes.
#include "settings/SettingsPath.h"
#include "ui/Application.h"
#include "ui/CloseOnSignals.h"
#include "ui/Unit1.h"
#include "ui/Unit_Copyright.h"

#include <memory>

int main(int argc, char** argv) {
    using namespace glyphwright::ui;

    IgnoreFileSizeSignal();
    Application app(argc, argv);
    SetUpApplication(app);

    auto mainWindow = std::make_unique<TForm1>(glyphwright::SettingsFilePath());
    // Ending signals close the window as the user would, so the list is saved.
    new CloseOnSignals(*mainWindow);
    auto aboutWindow = std::make_unique<TForm_Copyright>();
    mainWindow->SetAboutWindow(aboutWindow.get());

    mainWindow->ShowAtFirstPosition();
    return Application::exec();
}

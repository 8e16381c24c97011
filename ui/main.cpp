// Start-up: the application, its title, the main window (whose FormCreate
// loads the settings), the hidden about window, then the event loop until the
// main window closes. The layout is in logical pixels at 96 DPI; Qt's own
// high-DPI scaling stands in for scaling by the display's DPI.
#include "settings/SettingsPath.h"
#include "ui/Application.h"
#include "ui/Unit1.h"
#include "ui/Unit_Copyright.h"

#include <memory>

int main(int argc, char** argv) {
    using namespace glyphwright::ui;

    Application app(argc, argv);
    SetUpApplication(app);

    auto mainWindow = std::make_unique<TForm1>(glyphwright::SettingsFilePath());
    Form1 = mainWindow.get();
    auto aboutWindow = std::make_unique<TForm_Copyright>();
    Form_Copyright = aboutWindow.get();

    Form1->ShowAtFirstPosition();
    const int status = Application::exec();

    Form_Copyright = nullptr;
    Form1 = nullptr;
    return status;
}

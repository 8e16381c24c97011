// Shows one of the program's dialogs with its real texts, in the language the program would
// choose, for screenshots and a quick look:
//   glyphwright-dialog-preview info|confirm|input|error
// Prints the dialog's answer when it closes.
#include "ui/Application.h"
#include "ui/Dialogs.h"
#include "ui/FailureText.h"

#include <QApplication>
#include <QStringList>

#include <cerrno>
#include <cstdio>

namespace {

int Usage() {
    std::fputs("usage: glyphwright-dialog-preview info|confirm|input|error\n", stderr);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    // The program's own application object and look, so the pictures match the program.
    glyphwright::ui::Application app(argc, argv);
    glyphwright::ui::SetUpApplication(app);

    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 2) {
        return Usage();
    }
    const QString kind = arguments.at(1);
    if (kind == QLatin1String("info")) {
        glyphwright::ui::ShowInformationBox(
            QCoreApplication::translate("ConversionRunner", "Fertig"));
        std::puts("closed");
    } else if (kind == QLatin1String("confirm")) {
        const int result = glyphwright::ui::ShowConfirmationBox(
            QCoreApplication::translate("TForm1", "Die gesamte Liste löschen?"));
        std::printf("%d\n", result);
    } else if (kind == QLatin1String("input")) {
        QString text;
        const bool accepted = glyphwright::ui::ShowInputDialog(
            QCoreApplication::translate("TForm1", "Neue Endung"),
            QCoreApplication::translate("TForm1", "Bitte die Endung eingeben (z.B. \".PHP\"):"),
            text);
        std::printf("%s \"%s\"\n", accepted ? "true" : "false", text.toUtf8().constData());
    } else if (kind == QLatin1String("error")) {
        // A failure as a run reports it, in the window's language.
        glyphwright::ui::ShowErrorBox(glyphwright::ui::FailureText(
            {glyphwright::FailureKind::Open, "seite.htm", ENOENT, {}}));
        std::puts("closed");
    } else {
        return Usage();
    }
    return 0;
}

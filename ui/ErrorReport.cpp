#include "ui/ErrorReport.h"

#include "ui/Dialogs.h"
#include "ui/ShownName.h"

namespace glyphwright::ui {

QString ExceptionMessage(std::exception_ptr failure) {
    try {
        std::rethrow_exception(std::move(failure));
    } catch (const std::exception& e) {
        // A message may quote a file name.
        return ShownName(e.what());
    } catch (...) {
        return QStringLiteral("Unbekannter Fehler");
    }
}

void ReportException(std::exception_ptr failure) {
    ShowErrorBox(ExceptionMessage(std::move(failure)));
}

} // namespace glyphwright::ui

#include "ui/ErrorReport.h"

#include "files/collect/ListErrors.h"
#include "files/io/FileErrors.h"
#include "ui/Dialogs.h"
#include "ui/FailureText.h"
#include "wording/Catalog.h"
#include "wording/FailureWording.h"

namespace glyphwright::ui {

QString ExceptionMessage(std::exception_ptr failure) {
    try {
        std::rethrow_exception(std::move(failure));
    } catch (const ListFullError&) {
        const std::string_view message = wording::Tr(wording::kListFullMessage);
        return QString::fromUtf8(message.data(), static_cast<qsizetype>(message.size()));
    } catch (...) {
        // A file's failure, no memory, or the own words of an error not the
        // core's, which may quote a file name.
        return FailureText(FailureOf(std::current_exception(), {}));
    }
}

void ReportException(std::exception_ptr failure) {
    ShowErrorBox(ExceptionMessage(std::move(failure)));
}

} // namespace glyphwright::ui

// Failures that no handler caught end here: the error box, and the program
// goes on.
#pragma once

#include <QString>

#include <exception>
#include <utility>

namespace glyphwright::ui {

// The words for a failure: a full list, or what FailureText makes of it (an
// error not the core's by its own message, as ShownName shows it).
QString ExceptionMessage(std::exception_ptr failure);

// Shows the failure in the error box.
void ReportException(std::exception_ptr failure);

// Runs work and reports whatever it throws instead of passing it on.
template <class Work> void RunReportingErrors(Work&& work) {
    try {
        std::forward<Work>(work)();
    } catch (...) {
        ReportException(std::current_exception());
    }
}

} // namespace glyphwright::ui

#include "cli/FailureText.h"

#include "cli/ShownName.h"
#include "files/collect/ListErrors.h"
#include "files/io/FileErrors.h"
#include "wording/Catalog.h"
#include "wording/FailureWording.h"

#include <utility>

namespace glyphwright::cli {

std::string FailureText(const FileFailure& failure) {
    return wording::FailureLine(failure,
                                failure.path.empty() ? std::string() : QuotedName(failure.path));
}

std::string ExceptionMessage(std::exception_ptr error) {
    try {
        std::rethrow_exception(std::move(error));
    } catch (const ListFullError&) {
        return std::string(wording::Tr(wording::kListFullMessage));
    } catch (...) {
        return FailureText(FailureOf(std::current_exception(), {}));
    }
}

} // namespace glyphwright::cli

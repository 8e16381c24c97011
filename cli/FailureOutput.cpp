#include "cli/FailureOutput.h"

#include "cli/ShownName.h"

#include <utility>

namespace glyphwright::cli {

std::string ShownFailureLine(FileFailure failure) {
    std::string shown = ShownName(failure.path);
    if (shown != failure.path) {
        for (std::size_t at = 0; (at = failure.detail.find(failure.path, at)) != std::string::npos;
             at += shown.size()) {
            failure.detail.replace(at, failure.path.size(), shown);
        }
        failure.path = std::move(shown);
    }
    return FailureLine(failure);
}

void FailureOutput::Report(const std::string& line) {
    ++count_;
    if (held_) {
        heldLines_.push_back(line);
    } else {
        Print(line);
    }
}

void FailureOutput::ReleaseHeld() {
    for (const std::string& line : heldLines_) {
        Print(line);
    }
    heldLines_.clear();
}

void FailureOutput::Print(const std::string& line) {
    std::fprintf(err_, "glyphwright-cli: %s\n", VisibleControls(line).c_str());
    std::fflush(err_);
}

} // namespace glyphwright::cli

#include "cli/FailureOutput.h"

#include "cli/ShownName.h"

#include <utility>

namespace glyphwright::cli {

std::string ShownFailureLine(FileFailure failure) {
    if (failure.path.empty()) {
        return FailureLine(failure);
    }
    std::string quoted = QuotedName(failure.path);
    // A message of its own names the path right after its first word ("Datei
    // a.htm ist ..."): the first match after a blank is that one, also where
    // the path's bytes stand in the words too ("Datei e ist kein ...").
    for (std::size_t at = 0; (at = failure.detail.find(failure.path, at)) != std::string::npos;
         ++at) {
        if (at > 0 && failure.detail[at - 1] == ' ') {
            failure.detail.replace(at, failure.path.size(), quoted);
            break;
        }
    }
    failure.path = std::move(quoted);
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

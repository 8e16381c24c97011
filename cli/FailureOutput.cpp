#include "cli/FailureOutput.h"

#include "cli/ShownName.h"

namespace glyphwright::cli {

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

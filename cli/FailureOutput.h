// The failure lines of a run on standard error: at once, or, on a terminal
// with the summary shown, held until the end so that the progress line stays
// one line.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

namespace glyphwright::cli {

class FailureOutput {
public:
    FailureOutput(std::FILE* err, bool held) : err_(err), held_(held) {}

    // Any control character still in line is shown as VisibleControls shows it.
    void Report(const std::string& line);
    void ReleaseHeld();
    std::size_t Count() const { return count_; }

private:
    void Print(const std::string& line);

    std::FILE* err_;
    bool held_;
    std::vector<std::string> heldLines_;
    std::size_t count_ = 0;
};

} // namespace glyphwright::cli

// The tool's run over named files and folders: the intake, then either the
// list of a dry run or the conversion, with progress and summary on a
// terminal and the failures always.
#pragma once

#include "cli/CommandLine.h"

#include <cstddef>
#include <cstdio>

namespace glyphwright {
class StopFlag;
}

namespace glyphwright::cli {

struct RunOutput {
    std::FILE* out = stdout;
    std::FILE* err = stderr;
    bool outIsTerminal = false;     // listings show names quoted there
    bool errIsTerminal = false;     // progress line and summary go there
    std::size_t width = 80;         // of that terminal
    const StopFlag* stop = nullptr; // ends the run between files when requested
};

bool StopRequested(const RunOutput& output);

// Returns the exit status: after a stop, 128 + its reason (the signal), with
// the summary so far. Throws UsageError before anything is converted.
int RunOnPaths(const Invocation& invocation, const RunOutput& output);

} // namespace glyphwright::cli

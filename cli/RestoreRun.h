// The tool's restore: the backups named or found put back, in order.
#pragma once

#include "cli/CommandLine.h"
#include "cli/PathRun.h"

namespace glyphwright::cli {

// Returns the exit status as a conversion does. With dryRun lists the pairs
// "FILE._backup_ -> FILE" on output.out instead. Throws UsageError before
// anything is written.
int RunRestore(const Invocation& invocation, const RunOutput& output);

// "3 Dateien zurückgeschrieben, 1 fehlgeschlagen"; the failures only when some failed.
std::string RestoreSummaryLine(std::size_t restored, std::size_t failed);

} // namespace glyphwright::cli

// The listing of --check: which files a conversion would change.
#pragma once

#include "cli/FailureOutput.h"
#include "files/Conversion.h"

#include <cstdio>

namespace glyphwright {
class FileList;
class StopFlag;
} // namespace glyphwright

namespace glyphwright::cli {

// Writes to out, one per line in list order, each listed file that the
// conversion would change, and reports each file it cannot check to failures.
// Returns kAllConverted when no file would change and nothing failed so far
// (failures counts the missing paths too), else kWouldChange. A stop request
// (may be null) ends the listing before the next file; then a line on err
// says how far it got, and the status is 128 + the stop's reason.
int ListWouldChange(const FileList& files, const Conversion& conversion, std::FILE* out,
                    std::FILE* err, FailureOutput& failures, const StopFlag* stop);

} // namespace glyphwright::cli

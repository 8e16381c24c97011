// The listing of --check: which files a conversion would change.
#pragma once

#include "cli/FailureOutput.h"
#include "files/Conversion.h"

#include <cstdio>

namespace glyphwright {
class FileList;
}

namespace glyphwright::cli {

// Writes to out, one per line in list order, each listed file that the
// conversion would change, and reports each file it cannot check to failures.
// Returns kAllConverted when no file would change and nothing failed so far
// (failures counts the missing paths too), else kWouldChange.
int ListWouldChange(const FileList& files, const Conversion& conversion, std::FILE* out,
                    FailureOutput& failures);

} // namespace glyphwright::cli

// The listing of --check: which files a conversion would change.
#pragma once

#include "cli/FailureOutput.h"
#include "cli/ShownName.h"
#include "files/text/Conversion.h"

#include <cstddef>
#include <cstdio>

namespace glyphwright {
class FileList;
class StopFlag;
} // namespace glyphwright

namespace glyphwright::cli {

// Writes to out in the listing's form, in list order, each listed file that the conversion would
// change, and reports each file it cannot check to failures, in list order
// too; `workers` files are checked at the same time. Returns kAllConverted when no file would
// change and nothing failed so far (failures counts the missing paths too), else kWouldChange. A
// stop request (may be null) ends the listing before the next file; then a line on err says how far
// it got, and the status is 128 + the stop's reason.
int ListWouldChange(const FileList& files, const Conversion& conversion, std::FILE* out,
                    ListingForm listing, std::FILE* err, FailureOutput& failures,
                    const StopFlag* stop, std::size_t workers = 1);

} // namespace glyphwright::cli

#include "cli/CheckRun.h"

#include "cli/ExitStatus.h"
#include "files/CheckListedFile.h"
#include "files/ConversionRun.h"
#include "files/FileList.h"

namespace glyphwright::cli {

int ListWouldChange(const FileList& files, const Conversion& conversion, std::FILE* out,
                    FailureOutput& failures) {
    bool anyChange = false;
    const std::size_t count = files.Count();
    for (std::size_t entry = 0; entry < count; ++entry) {
        const CheckOutcome outcome = CheckListedFile(files, entry, conversion);
        if (!outcome.checked) {
            // Flushed first, so that both streams keep the order of the list.
            std::fflush(out);
            failures.Report(FailureLine(files.Path(entry), outcome.message));
        } else if (outcome.wouldChange) {
            std::fprintf(out, "%s\n", files.Path(entry).c_str());
            anyChange = true;
        }
    }
    std::fflush(out);
    return anyChange || failures.Count() != 0 ? kWouldChange : kAllConverted;
}

} // namespace glyphwright::cli

#include "cli/CheckRun.h"

#include "cli/ExitStatus.h"
#include "cli/Progress.h"
#include "files/CheckListedFile.h"
#include "files/FileList.h"
#include "files/StopFlag.h"

namespace glyphwright::cli {

int ListWouldChange(const FileList& files, const Conversion& conversion, std::FILE* out,
                    std::FILE* err, FailureOutput& failures, const StopFlag* stop) {
    bool anyChange = false;
    const std::size_t count = files.Count();
    for (std::size_t entry = 0; entry < count; ++entry) {
        if (stop != nullptr && stop->Requested()) {
            std::fflush(out);
            std::fprintf(err, "glyphwright-cli: abgebrochen: %s von %s Dateien geprüft\n",
                         GroupDigits(entry).c_str(), GroupDigits(count).c_str());
            std::fflush(err);
            return 128 + stop->Reason();
        }
        const CheckOutcome outcome = CheckListedFile(files, entry, conversion);
        if (!outcome.checked) {
            // Flushed first, so that both streams keep the order of the list.
            std::fflush(out);
            failures.Report(FailureLine(outcome.failure));
        } else if (outcome.wouldChange) {
            std::fprintf(out, "%s\n", files.Path(entry).c_str());
            anyChange = true;
        }
    }
    std::fflush(out);
    return anyChange || failures.Count() != 0 ? kWouldChange : kAllConverted;
}

} // namespace glyphwright::cli

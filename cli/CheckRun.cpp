#include "cli/CheckRun.h"

#include "cli/ExitStatus.h"
#include "cli/FailureText.h"
#include "cli/Progress.h"
#include "cli/ShownName.h"
#include "files/collect/FileList.h"
#include "files/io/StopFlag.h"
#include "files/runs/CheckListedFile.h"
#include "files/runs/InOrder.h"
#include "wording/Catalog.h"

namespace glyphwright::cli {

int ListWouldChange(const FileList& files, const Conversion& conversion, std::FILE* out,
                    ListingForm listing, std::FILE* err, FailureOutput& failures,
                    const StopFlag* stop, std::size_t workers) {
    bool anyChange = false;
    const std::size_t count = files.Count();
    const std::size_t checked = RunInOrder(
        count, {workers, stop, {}},
        [&](std::size_t entry) { return CheckListedFile(files, entry, conversion); },
        [&](std::size_t entry, const CheckOutcome& outcome) {
            if (!outcome.checked) {
                // Flushed first, so that both streams keep the order of the list.
                std::fflush(out);
                failures.Report(FailureText(outcome.failure));
            } else if (outcome.wouldChange) {
                PutListingEntry(out, {files.Path(entry)}, listing);
                anyChange = true;
            }
        });
    std::fflush(out);
    if (checked < count) {
        const std::string line =
            wording::Format(wording::Tr("abgebrochen: %s von %s Dateien geprüft"),
                            {GroupDigits(checked), GroupDigits(count)});
        std::fprintf(err, "glyphwright-cli: %s\n", line.c_str());
        std::fflush(err);
        return 128 + stop->Reason();
    }
    return anyChange || failures.Count() != 0 ? kWouldChange : kAllConverted;
}

} // namespace glyphwright::cli

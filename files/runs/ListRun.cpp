#include "files/runs/ListRun.h"

#include "files/io/TempFile.h"
#include "files/runs/FileClaims.h"
#include "files/runs/InOrder.h"
#include "files/runs/SameFileTurns.h"

#include <algorithm>
#include <optional>
#include <set>
#include <unistd.h>

namespace glyphwright {

std::size_t DefaultWorkers() {
    const long online = ::sysconf(_SC_NPROCESSORS_ONLN);
    return online < 1 ? 1 : std::min(static_cast<std::size_t>(online), kDefaultWorkersLimit);
}

RunSummary ConvertAllListed(const FileList& list, const Conversion& conversion,
                            const RunHooks& hooks, std::size_t workers) {
    RunSummary summary;
    FileClaims converted;
    std::set<std::string> renamedIn;
    const std::size_t count = list.Count();
    std::vector<std::optional<std::size_t>> after;
    InOrderOptions options{workers, hooks.perFile.stop, {}, hooks.waiting};
    if (workers > 1) {
        after = TurnsOf(
            count, [&list](std::size_t entry) -> const std::string& { return list.Path(entry); },
            workers);
        options.after = [&after](std::size_t entry) { return after[entry]; };
    }
    RunInOrder(
        count, options,
        [&](std::size_t entry) {
            return ConvertListedFile(list, entry, conversion, hooks.perFile, &converted);
        },
        [&](std::size_t entry, const FileOutcome& outcome) {
            if (!outcome.converted && outcome.failure.kind == FailureKind::Stopped) {
                // Other workers' entries after it may still have been done.
                summary.stopped = true;
                return;
            }
            ++summary.handled;
            if (outcome.alreadyDone) {
                ++summary.duplicates;
            } else if (outcome.unchanged) {
                ++summary.unchanged;
            } else if (outcome.converted) {
                ++summary.converted;
                summary.convertedAsUtf8 += outcome.charset == Charset::Utf8 ? 1 : 0;
            } else {
                summary.failures.push_back(outcome.failure);
            }
            if (hooks.perFile.sync) {
                renamedIn.insert(outcome.renamedIn.begin(), outcome.renamedIn.end());
            }
            if (hooks.entryDone) {
                hooks.entryDone(entry, outcome);
            }
        });
    summary.stopped = summary.stopped || summary.handled < count;
    // The new files' data is durable already; this makes their names so.
    for (const std::string& folder : renamedIn) {
        if (!folder.empty()) {
            SyncFolder(folder);
        }
    }
    return summary;
}

} // namespace glyphwright

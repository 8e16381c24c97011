#include "files/ConversionRun.h"

#include "files/ConvertedFiles.h"
#include "files/StopFlag.h"
#include "files/TempFile.h"

#include <set>

namespace glyphwright {

namespace {

bool StopRequested(const ConvertHooks& hooks) {
    return hooks.stop != nullptr && hooks.stop->Requested();
}

} // namespace

RunSummary ConvertAllListed(const FileList& list, const Conversion& conversion,
                            const RunHooks& hooks) {
    RunSummary summary;
    ConvertedFiles converted;
    std::set<std::string> renamedIn;
    const std::size_t count = list.Count();
    for (std::size_t entry = 0; entry < count; ++entry) {
        if (StopRequested(hooks.perFile)) {
            summary.stopped = true;
            break;
        }
        const FileOutcome outcome =
            ConvertListedFile(list, entry, conversion, hooks.perFile, &converted);
        if (!outcome.converted && outcome.failure.kind == FailureKind::Stopped) {
            summary.stopped = true;
            break;
        }
        ++summary.handled;
        if (outcome.converted) {
            ++summary.converted;
            summary.convertedAsUtf8 += outcome.charset == Charset::Utf8 ? 1 : 0;
        } else {
            summary.failures.push_back(FailureLine(outcome.failure));
        }
        if (hooks.perFile.sync) {
            renamedIn.insert(outcome.renamedIn.begin(), outcome.renamedIn.end());
        }
        if (hooks.entryDone) {
            hooks.entryDone(entry, outcome);
        }
    }
    // The new files' data is durable already; this makes their names so.
    for (const std::string& folder : renamedIn) {
        if (!folder.empty()) {
            SyncFolder(folder);
        }
    }
    return summary;
}

std::string FailureReport(const RunSummary& summary) {
    if (summary.failures.empty()) {
        return {};
    }
    std::string report = "Nicht umgewandelt:";
    const std::size_t listed =
        summary.failures.size() < kListedFailures ? summary.failures.size() : kListedFailures;
    for (std::size_t i = 0; i < listed; ++i) {
        report += '\n';
        report += summary.failures[i];
    }
    if (summary.failures.size() > listed) {
        report += "\n… und " + std::to_string(summary.failures.size() - listed) + " weitere";
    }
    return report;
}

} // namespace glyphwright

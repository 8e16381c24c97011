#include "cli/PathRun.h"

#include "cli/CheckRun.h"
#include "cli/Codecs.h"
#include "cli/ExitStatus.h"
#include "cli/FailureOutput.h"
#include "cli/FailureText.h"
#include "cli/FileSelection.h"
#include "cli/Progress.h"
#include "cli/ShownName.h"
#include "cli/Workers.h"
#include "files/collect/FileList.h"
#include "files/io/StopFlag.h"
#include "files/runs/ListRun.h"

#include <optional>
#include <string>
#include <vector>

namespace glyphwright::cli {

bool StopRequested(const RunOutput& output) {
    return output.stop != nullptr && output.stop->Requested();
}

int RunOnPaths(const Invocation& invocation, const RunOutput& output) {
    const ExtensionList filter = FolderFilter(invocation, AnyFolder(invocation.paths));
    const bool summaryShown =
        output.errIsTerminal && !invocation.quiet && !invocation.dryRun && !invocation.check;
    FailureOutput failures(output.err, summaryShown);

    FileList files;
    for (const std::string& path : TakePaths(invocation.paths, filter, files, output.stop)) {
        failures.Report(MissingPathMessage(path));
    }

    const std::size_t workers = WorkersFor(invocation);
    if (invocation.dryRun || invocation.check) {
        // A dry run lists what the run would change, by the check's own rule.
        const int status = ListWouldChange(files, ConversionFor(invocation), output.out,
                                           {output.outIsTerminal, invocation.nullEnded}, output.err,
                                           failures, output.stop, workers);
        if (invocation.check || status > kUsageError) {
            return status;
        }
        return failures.Count() == 0 ? kAllConverted : kSomeFailed;
    }

    std::optional<ProgressLine> progress;
    if (summaryShown) {
        progress.emplace(output.err, files.Count(), output.width);
    }

    RunHooks hooks;
    hooks.perFile.backupWanted = [&invocation] { return invocation.backup; };
    hooks.perFile.sync = invocation.sync;
    hooks.perFile.leaveUnchanged = true;
    hooks.perFile.stop = output.stop;
    if (progress) {
        hooks.perFile.loaded = [&](const std::string& path) { progress->Started(path); };
    }
    hooks.entryDone = [&](std::size_t, const FileOutcome& outcome) {
        if (!outcome.converted) {
            failures.Report(FailureText(outcome.failure));
        }
        if (progress) {
            progress->Finished(outcome.joinedSize);
        }
    };
    const RunSummary summary = ConvertAllListed(files, ConversionFor(invocation), hooks, workers);

    if (progress) {
        progress->Clear();
        failures.ReleaseHeld();
    }
    const SummaryCounts counts{summary.converted, summary.convertedAsUtf8, summary.duplicates,
                               failures.Count(), summary.unchanged};
    if (summary.stopped) {
        // Also when standard error is no terminal: a script learns how far the run got.
        const std::string line = StoppedSummaryLine(counts, files.Count() - summary.handled);
        std::fprintf(output.err, "glyphwright-cli: %s\n", line.c_str());
        std::fflush(output.err);
        return 128 + output.stop->Reason();
    }
    if (progress) {
        std::fprintf(output.err, "%s\n", SummaryLine(counts).c_str());
        std::fflush(output.err);
    }
    return failures.Count() == 0 ? kAllConverted : kSomeFailed;
}

} // namespace glyphwright::cli

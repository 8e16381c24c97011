#include "cli/PathRun.h"

#include "cli/CheckRun.h"
#include "cli/Codecs.h"
#include "cli/ExitStatus.h"
#include "cli/FailureOutput.h"
#include "cli/FileSelection.h"
#include "cli/Progress.h"
#include "files/ConversionRun.h"
#include "files/FileList.h"
#include "files/LineList.h"
#include "files/StopFlag.h"

#include <optional>
#include <string>
#include <vector>

namespace glyphwright::cli {

int RunOnPaths(const Invocation& invocation, const RunOutput& output) {
    const ExtensionList filter = FolderFilter(invocation, AnyFolder(invocation.paths));
    const bool summaryShown =
        output.errIsTerminal && !invocation.quiet && !invocation.dryRun && !invocation.check;
    FailureOutput failures(output.err, summaryShown);

    FileList files;
    for (const std::string& path : TakePaths(invocation.paths, filter, files)) {
        failures.Report(MissingPathMessage(path));
    }

    if (invocation.dryRun) {
        for (std::size_t i = 0; i < files.Count(); ++i) {
            std::fprintf(output.out, "%s\n", files.Path(i).c_str());
        }
        std::fflush(output.out);
        return failures.Count() == 0 ? kAllConverted : kSomeFailed;
    }
    if (invocation.check) {
        return ListWouldChange(files, ConversionFor(invocation.direction, invocation.charset),
                               output.out, output.err, failures, output.stop);
    }

    std::optional<ProgressLine> progress;
    if (summaryShown) {
        progress.emplace(output.err, files.Count(), output.width);
    }
    std::uint64_t loadedBytes = 0;

    RunHooks hooks;
    hooks.perFile.backupWanted = [&invocation] { return invocation.backup; };
    hooks.perFile.sync = invocation.sync;
    hooks.perFile.stop = output.stop;
    if (progress) {
        hooks.perFile.loaded = [&](const std::string& path, const LineList& lines) {
            progress->Started(path);
            loadedBytes = lines.JoinedSize();
        };
    }
    hooks.entryDone = [&](std::size_t, const FileOutcome& outcome) {
        if (!outcome.converted) {
            failures.Report(FailureLine(outcome.failure));
        }
        if (progress) {
            progress->Finished(loadedBytes);
            loadedBytes = 0;
        }
    };
    const RunSummary summary =
        ConvertAllListed(files, ConversionFor(invocation.direction, invocation.charset), hooks);

    if (progress) {
        progress->Clear();
        failures.ReleaseHeld();
    }
    if (summary.stopped) {
        // Also when standard error is no terminal: a script learns how far the run got.
        const std::string line =
            StoppedSummaryLine(summary.converted, summary.convertedAsUtf8, failures.Count(),
                               files.Count() - summary.handled);
        std::fprintf(output.err, "glyphwright-cli: %s\n", line.c_str());
        std::fflush(output.err);
        return 128 + output.stop->Reason();
    }
    if (progress) {
        std::fprintf(
            output.err, "%s\n",
            SummaryLine(summary.converted, summary.convertedAsUtf8, failures.Count()).c_str());
        std::fflush(output.err);
    }
    return failures.Count() == 0 ? kAllConverted : kSomeFailed;
}

} // namespace glyphwright::cli

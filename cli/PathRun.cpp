#include "cli/PathRun.h"

#include "cli/Codecs.h"
#include "cli/ExitStatus.h"
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

namespace {

// Failures go out at once, except on a terminal with the summary shown,
// where they wait for the end so that the progress line stays one line.
class FailureOutput {
public:
    FailureOutput(std::FILE* err, bool held) : err_(err), held_(held) {}

    void Report(const std::string& line) {
        ++count_;
        if (held_) {
            heldLines_.push_back(line);
        } else {
            Print(line);
        }
    }

    void ReleaseHeld() {
        for (const std::string& line : heldLines_) {
            Print(line);
        }
        heldLines_.clear();
    }

    std::size_t Count() const { return count_; }

private:
    void Print(const std::string& line) {
        std::fprintf(err_, "glyphwright-cli: %s\n", line.c_str());
        std::fflush(err_);
    }

    std::FILE* err_;
    bool held_;
    std::vector<std::string> heldLines_;
    std::size_t count_ = 0;
};

bool AnyFolder(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) {
        if (KindOf(path) == PathKind::Folder) {
            return true;
        }
    }
    return false;
}

} // namespace

int RunOnPaths(const Invocation& invocation, const RunOutput& output) {
    const ExtensionList filter = FolderFilter(invocation, AnyFolder(invocation.paths));
    const bool summaryShown = output.errIsTerminal && !invocation.quiet && !invocation.dryRun;
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

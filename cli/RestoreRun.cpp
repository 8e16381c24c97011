#include "cli/RestoreRun.h"

#include "cli/BackupSelection.h"
#include "cli/ExitStatus.h"
#include "cli/FailureOutput.h"
#include "cli/FileSelection.h"
#include "cli/Progress.h"
#include "files/FileFailure.h"
#include "files/RestoreBackup.h"
#include "files/StopFlag.h"

namespace glyphwright::cli {

namespace {

bool Stopped(const RunOutput& output) {
    return output.stop != nullptr && output.stop->Requested();
}

} // namespace

int RunRestore(const Invocation& invocation, const RunOutput& output) {
    const ExtensionList filter = FolderFilter(invocation, AnyFolder(invocation.paths));
    const bool summaryShown = output.errIsTerminal && !invocation.quiet && !invocation.dryRun;
    FailureOutput failures(output.err, false);

    const TakenBackups taken = TakeBackups(invocation.paths, filter);
    for (const std::string& backup : taken.missing) {
        failures.Report(MissingBackupMessage(backup));
    }

    RestoreOptions options;
    options.keep = invocation.keep;
    options.sync = invocation.sync;
    options.stop = output.stop;
    std::size_t restored = 0;
    std::size_t handled = 0;
    for (const BackupPair& pair : taken.pairs) {
        if (invocation.dryRun) {
            std::fprintf(output.out, "%s -> %s\n", pair.backup.c_str(), pair.file.c_str());
            continue;
        }
        if (Stopped(output)) {
            break;
        }
        const RestoreOutcome outcome = RestoreBackup(pair.backup, pair.file, options);
        if (outcome.failure.kind == FailureKind::Stopped) {
            break;
        }
        ++handled;
        restored += outcome.restored ? 1 : 0;
        if (!outcome.message.empty()) {
            failures.Report(FailureLine(outcome.failure));
        }
    }
    std::fflush(output.out);

    if (Stopped(output)) {
        // Also when standard error is no terminal: a script learns how far it got.
        std::fprintf(output.err, "glyphwright-cli: abgebrochen: %s, %s nicht bearbeitet\n",
                     RestoreSummaryLine(restored, failures.Count()).c_str(),
                     GroupDigits(taken.pairs.size() - handled).c_str());
        std::fflush(output.err);
        return 128 + output.stop->Reason();
    }

    if (summaryShown) {
        std::fprintf(output.err, "%s\n", RestoreSummaryLine(restored, failures.Count()).c_str());
        std::fflush(output.err);
    }
    return failures.Count() == 0 ? kAllConverted : kSomeFailed;
}

std::string RestoreSummaryLine(std::size_t restored, std::size_t failed) {
    std::string line = GroupDigits(restored) +
                       (restored == 1 ? " Datei zurückgeschrieben" : " Dateien zurückgeschrieben");
    if (failed != 0) {
        line += ", " + GroupDigits(failed) + " fehlgeschlagen";
    }
    return line;
}

} // namespace glyphwright::cli

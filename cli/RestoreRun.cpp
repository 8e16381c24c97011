#include "cli/RestoreRun.h"

#include "cli/BackupSelection.h"
#include "cli/ExitStatus.h"
#include "cli/FailureOutput.h"
#include "cli/FailureText.h"
#include "cli/FileSelection.h"
#include "cli/Progress.h"
#include "cli/ShownName.h"
#include "cli/Workers.h"
#include "files/io/FileFailure.h"
#include "files/io/StopFlag.h"
#include "files/runs/InOrder.h"
#include "files/runs/RestoreBackup.h"
#include "files/runs/SameFileTurns.h"
#include "wording/Catalog.h"

#include <optional>
#include <vector>

namespace glyphwright::cli {

int RunRestore(const Invocation& invocation, const RunOutput& output) {
    const ExtensionList filter = FolderFilter(invocation, AnyFolder(invocation.paths));
    const bool summaryShown = output.errIsTerminal && !invocation.quiet && !invocation.dryRun;
    FailureOutput failures(output.err, false);

    const TakenBackups taken = TakeBackups(invocation.paths, filter, output.stop);
    for (const std::string& backup : taken.missing) {
        failures.Report(MissingBackupMessage(backup));
    }

    RestoreOptions options;
    options.keep = invocation.keep;
    options.sync = invocation.sync;
    options.stop = output.stop;
    std::size_t restored = 0;
    std::size_t handled = 0;
    const std::vector<BackupPair>& pairs = taken.pairs;
    if (invocation.dryRun) {
        for (std::size_t i = 0; i < pairs.size() && !StopRequested(output); ++i) {
            PutListingEntry(output.out, {pairs[i].backup, pairs[i].file},
                            {output.outIsTerminal, invocation.nullEnded});
        }
        std::fflush(output.out);
        if (StopRequested(output)) {
            return 128 + output.stop->Reason();
        }
    } else {
        InOrderOptions order{WorkersFor(invocation), output.stop, {}};
        std::vector<std::optional<std::size_t>> after;
        if (order.workers > 1) {
            // Two backups of one file (by two names) are put back in their order.
            after = TurnsOf(
                pairs.size(),
                [&pairs](std::size_t i) -> const std::string& { return pairs[i].file; },
                order.workers);
            order.after = [&after](std::size_t i) { return after[i]; };
        }
        RunInOrder(
            pairs.size(), order,
            [&](std::size_t i) { return RestoreBackup(pairs[i].backup, pairs[i].file, options); },
            [&](std::size_t, const RestoreOutcome& outcome) {
                if (outcome.failure && outcome.failure->kind == FailureKind::Stopped) {
                    return;
                }
                ++handled;
                restored += outcome.restored ? 1 : 0;
                if (outcome.failure) {
                    failures.Report(FailureText(*outcome.failure));
                }
            });
    }
    std::fflush(output.out);

    if (StopRequested(output)) {
        // Also when standard error is no terminal: a script learns how far it got.
        const std::string line =
            wording::Format(wording::Tr("abgebrochen: %s, %s nicht bearbeitet"),
                            {RestoreSummaryLine(restored, failures.Count()),
                             GroupDigits(taken.pairs.size() - handled)});
        std::fprintf(output.err, "glyphwright-cli: %s\n", line.c_str());
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
    using wording::Format;
    std::string line =
        Format(wording::TrN("%s Datei zurückgeschrieben", "%s Dateien zurückgeschrieben", restored),
               {GroupDigits(restored)});
    if (failed != 0) {
        line += ", " + Format(wording::Tr("%s fehlgeschlagen"), {GroupDigits(failed)});
    }
    return line;
}

} // namespace glyphwright::cli

#include "ui/ConversionRunner.h"

#include "files/collect/FileList.h"
#include "files/runs/ListRun.h"
#include "files/text/Conversion.h"
#include "ui/BusyScope.h"
#include "ui/Dialogs.h"
#include "ui/FailureText.h"

#include <QApplication>
#include <QCheckBox>
#include <QPointer>
#include <QProgressBar>
#include <QWidget>

#include <algorithm>
#include <climits>
#include <cstddef>
#include <functional>

namespace glyphwright::ui {
namespace {

// Holds the window locked and the bar shown for the encode run's lifetime;
// unlocking runs from the destructor so that no way out of the run skips it.
class LockedForEncodeRun {
public:
    explicit LockedForEncodeRun(const RunControls& controls)
        : controls_(controls), focus_(QApplication::focusWidget()) {
        controls_.window->setEnabled(false);
        controls_.progress->setVisible(true);
    }
    LockedForEncodeRun(const LockedForEncodeRun&) = delete;
    LockedForEncodeRun& operator=(const LockedForEncodeRun&) = delete;
    ~LockedForEncodeRun() {
        controls_.window->setEnabled(true);
        // The docking gives the bar's strip to the file list.
        controls_.progress->setVisible(false);
        // Disabling dropped the focus; the control that had it gets it back.
        if (!focus_.isNull() && focus_->isEnabled()) {
            focus_->setFocus(Qt::OtherFocusReason);
        }
    }

private:
    const RunControls& controls_;
    const QPointer<QWidget> focus_;
};

RunHooks HooksFor(const RunControls& controls) {
    RunHooks hooks;
    // The window takes no input during a run, so the box cannot change: it is
    // read here, on the window's thread, and not by the workers.
    const bool backup = controls.backup->isChecked();
    hooks.perFile.backupWanted = [backup] { return backup; };
    return hooks;
}

// Converts every entry on every core while the window repaints but takes no
// input. The entries are handed back here in list order, so that whatever
// shows them sees what one worker would give.
RunSummary ConvertKeepingPainted(const FileList& files, const Conversion& conversion,
                                 RunHooks hooks,
                                 const std::function<void(const FileOutcome&)>& entryDone = {}) {
    BusyScope busy;
    const std::function<void()> breathe = busy.BreatheHook();
    hooks.entryDone = [&](std::size_t, const FileOutcome& outcome) {
        if (entryDone) {
            entryDone(outcome);
        }
        breathe();
    };
    // A long file on a worker keeps the window answering too.
    hooks.waiting = breathe;
    return ConvertAllListed(files, conversion, hooks, DefaultWorkers());
}

// The bar counts in int; the file list never holds more entries than that.
int BarCount(std::size_t count) {
    return static_cast<int>(std::min<std::size_t>(count, INT_MAX));
}

} // namespace

void EncodeRun(const FileList& files, const RunControls& controls) {
    const LockedForEncodeRun locked(controls);
    QProgressBar* const bar = controls.progress;
    bar->setValue(0);
    bar->setMaximum(BarCount(files.Count()));

    // The steps are counted here, not read back from the bar, whose value is
    // only what it shows; each file's step is taken as it is handed back.
    std::size_t steps = 0;
    const RunSummary summary = ConvertKeepingPainted(files, EncodeConversion(), HooksFor(controls),
                                                     [bar, &steps](const FileOutcome& outcome) {
                                                         if (outcome.stepped) {
                                                             bar->setValue(BarCount(++steps));
                                                         }
                                                     });

    ShowInformationBox(EncodeRunMessage(summary));
}

void DecodeRun(const FileList& files, const RunControls& controls) {
    if (files.Count() == 0) {
        return;
    }
    const RunSummary summary = ConvertKeepingPainted(files, DecodeConversion(), HooksFor(controls));
    const QString message = DecodeRunMessage(summary);
    if (!message.isEmpty()) {
        ShowInformationBox(message);
    }
}

QString EncodeRunMessage(const RunSummary& summary) {
    const QString done = QCoreApplication::translate("ConversionRunner", "Fertig");
    if (summary.failures.empty()) {
        return done;
    }
    return done + QStringLiteral("\n\n") + FailureReport(summary.failures);
}

QString DecodeRunMessage(const RunSummary& summary) {
    return FailureReport(summary.failures);
}

} // namespace glyphwright::ui

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
    const QCheckBox* backup = controls.backup;
    hooks.perFile.backupWanted = [backup] { return backup->isChecked(); };
    return hooks;
}

// Converts every entry while the window repaints between files but takes no
// input.
RunSummary ConvertKeepingPainted(const FileList& files, const Conversion& conversion,
                                 RunHooks hooks) {
    BusyScope busy;
    hooks.entryDone = [breathe = busy.BreatheHook()](std::size_t, const FileOutcome&) {
        breathe();
    };
    return ConvertAllListed(files, conversion, hooks);
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

    RunHooks hooks = HooksFor(controls);
    // The steps are counted here, not read back from the bar, whose value is
    // only what it shows.
    std::size_t steps = 0;
    hooks.perFile.progressStep = [bar, &steps] { bar->setValue(BarCount(++steps)); };
    const RunSummary summary = ConvertKeepingPainted(files, EncodeConversion(), hooks);

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

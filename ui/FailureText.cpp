#include "ui/FailureText.h"

#include "ui/ShownName.h"
#include "wording/FailureWording.h"

#include <QCoreApplication>

#include <algorithm>

namespace glyphwright::ui {

QString FailureText(const FileFailure& failure) {
    // The path's bytes as they are; a name with a line break would split the line.
    return ShownName(wording::FailureLine(failure, failure.path));
}

QString FailureReport(const std::vector<FileFailure>& failures) {
    if (failures.empty()) {
        return {};
    }
    QString report = QCoreApplication::translate("FailureText", "Nicht umgewandelt:");
    const std::size_t listed = std::min(failures.size(), kListedFailures);
    for (std::size_t i = 0; i < listed; ++i) {
        report += u'\n';
        report += FailureText(failures[i]);
    }
    if (failures.size() > listed) {
        report += QCoreApplication::translate("FailureText", "\n… und %1 weitere")
                      .arg(failures.size() - listed);
    }
    return report;
}

} // namespace glyphwright::ui

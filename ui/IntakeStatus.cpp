#include "ui/IntakeStatus.h"

#include "files/collect/DropIntake.h"
#include "files/collect/ExtensionList.h"
#include "ui/ShownName.h"

#include <QCoreApplication>
#include <QLabel>
#include <QStringList>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace glyphwright::ui {
namespace {

// At most this many extensions are named, so that the line fits the panel.
constexpr qsizetype kNamedExtensions = 2;

QString Listed(const std::vector<std::string>& extensions) {
    QStringList shown;
    for (const std::string& extension : extensions) {
        if (shown.size() == kNamedExtensions) {
            return shown.join(QStringLiteral(", ")) + QStringLiteral(" …");
        }
        shown << ShownName(extension);
    }
    return shown.join(QStringLiteral(", "));
}

QString Reason(const std::vector<std::string>& refused, const ExtensionList& list) {
    if (refused.empty()) {
        return QCoreApplication::translate("TForm1", "Namen ohne Endung werden nie angenommen");
    }
    std::vector<std::string> inList;
    for (const std::string& extension : refused) {
        if (list.Find(extension)) {
            inList.push_back(extension);
        }
    }
    if (!inList.empty()) {
        return QCoreApplication::translate("TForm1",
                                           "Endung nicht markiert (%1 in Schritt 1 anhaken)")
            .arg(Listed(inList));
    }
    return QCoreApplication::translate("TForm1", "Endung fehlt (%1 in Schritt 1 eintragen)")
        .arg(Listed(refused));
}

std::vector<std::string> Joined(const Refusals& first, const Refusals& second) {
    std::vector<std::string> all = first.extensions;
    for (const std::string& extension : second.extensions) {
        if (std::find(all.begin(), all.end(), extension) == all.end()) {
            all.push_back(extension);
        }
    }
    return all;
}

} // namespace

QString IntakeStatusText(const IntakeOutcome& outcome, const ExtensionList& extensions) {
    if (outcome.taken == 0 && outcome.named.count + outcome.found.count > 0) {
        return QCoreApplication::translate("TForm1", "Keine Datei übernommen: %1")
            .arg(Reason(Joined(outcome.named, outcome.found), extensions));
    }
    if (outcome.taken == 0 || outcome.named.count == 0) {
        return {};
    }
    // The name alone: the folder is the one the user just chose from.
    const std::string_view path = outcome.named.first;
    const QString name = ShownName(path.substr(path.find_last_of('/') + 1));
    const QString reason = Reason(outcome.named.extensions, extensions);
    if (outcome.named.count == 1) {
        return QCoreApplication::translate("TForm1", "„%1“ nicht übernommen: %2").arg(name, reason);
    }
    return QCoreApplication::translate("TForm1", "„%1“ und %2 weitere nicht übernommen: %3")
        .arg(name, QString::number(outcome.named.count - 1), reason);
}

StatusNotice::StatusNotice(QLabel* panel)
    : QObject(panel), panel_(panel), ownText_(panel->text()), back_(this) {
    back_.setObjectName(QStringLiteral("StatusNoticeTimer"));
    back_.setSingleShot(true);
    back_.setInterval(kShowMilliseconds);
    connect(&back_, &QTimer::timeout, this, &StatusNotice::Back);
}

void StatusNotice::Show(const QString& notice) {
    if (notice.isEmpty()) {
        back_.stop();
        Back();
        return;
    }
    // The tip holds the whole notice where a long name cuts it at the
    // panel's end.
    panel_->setText(notice);
    panel_->setToolTip(notice);
    back_.start();
}

void StatusNotice::Back() {
    panel_->setText(ownText_);
    panel_->setToolTip({});
}

} // namespace glyphwright::ui

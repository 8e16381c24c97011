#include "ui/AddFilesDialogs.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

namespace glyphwright::ui {
namespace {

// Each dialog opens where the last one was left, for this run of the program.
QString& LastFolder() {
    static QString folder;
    return folder;
}

std::vector<std::string> Native(const QStringList& paths) {
    std::vector<std::string> native;
    for (const QString& path : paths) {
        native.push_back(QFile::encodeName(path).toStdString());
    }
    return native;
}

} // namespace

std::vector<std::string> ChooseFilesToAdd(QWidget* parent) {
    const QStringList chosen = QFileDialog::getOpenFileNames(
        parent, QCoreApplication::translate("TForm1", "Dateien hinzufügen"), LastFolder());
    if (!chosen.isEmpty()) {
        LastFolder() = QFileInfo(chosen.front()).absolutePath();
    }
    return Native(chosen);
}

std::vector<std::string> ChooseFolderToAdd(QWidget* parent) {
    const QString chosen = QFileDialog::getExistingDirectory(
        parent, QCoreApplication::translate("TForm1", "Ordner hinzufügen"), LastFolder());
    if (chosen.isEmpty()) {
        return {};
    }
    LastFolder() = chosen;
    return Native({chosen});
}

} // namespace glyphwright::ui

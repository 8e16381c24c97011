// The file dialogs behind "Dateien hinzufügen…" and "Ordner hinzufügen…":
// the desktop's own where its platform theme or portal offers one, else
// Qt's. What they give is taken in as a drop is.
#pragma once

#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace glyphwright::ui {

// Several existing files; empty when the dialog is cancelled.
std::vector<std::string> ChooseFilesToAdd(QWidget* parent);

// One existing folder; empty when the dialog is cancelled.
std::vector<std::string> ChooseFolderToAdd(QWidget* parent);

// How the window asks for files and for a folder; tests put their own answers
// in place of the modal dialogs. Each gives local paths in the file system's
// bytes.
struct FileChoosers {
    std::function<std::vector<std::string>(QWidget*)> files = ChooseFilesToAdd;
    std::function<std::vector<std::string>(QWidget*)> folder = ChooseFolderToAdd;
};

} // namespace glyphwright::ui

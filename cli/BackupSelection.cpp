#include "cli/BackupSelection.h"

#include "cli/FileSelection.h"
#include "files/ExtensionList.h"
#include "files/FileList.h"
#include "files/IsAcceptedFile.h"
#include "files/RestoreBackup.h"
#include "files/ScanFolder.h"
#include "files/TextFile.h"

#include <sys/stat.h>

namespace glyphwright::cli {

namespace {

// Every backup below folder, in walk order: the names whose extension is that
// of a backup.
FileList BackupsBelow(const std::string& folder) {
    ExtensionList backups;
    backups.SetMark(backups.Add(UpperCaseAToZ(ExtensionOf(BackupPath("")))), true);
    FileList found;
    ScanFolder(folder, backups, found);
    return found;
}

bool AnythingAt(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

} // namespace

TakenBackups TakeBackups(const std::vector<std::string>& paths, const ExtensionList& filter) {
    TakenBackups taken;
    for (const std::string& path : paths) {
        if (KindOf(path) == PathKind::Folder) {
            const FileList found = BackupsBelow(path);
            for (std::size_t i = 0; i < found.Count(); ++i) {
                const std::optional<std::string> file = BackedUpPath(found.Path(i));
                if (file && IsAcceptedFile(*file, filter)) {
                    taken.pairs.push_back({found.Path(i), *file});
                }
            }
            continue;
        }
        const std::optional<std::string> named = BackedUpPath(path);
        BackupPair pair = named ? BackupPair{path, *named} : BackupPair{BackupPath(path), path};
        if (AnythingAt(pair.backup)) {
            taken.pairs.push_back(std::move(pair));
        } else {
            taken.missing.push_back(std::move(pair.backup));
        }
    }
    return taken;
}

std::string MissingBackupMessage(const std::string& backup) {
    return "Sicherung " + backup + " nicht gefunden";
}

} // namespace glyphwright::cli

#include "cli/BackupSelection.h"

#include "cli/FileSelection.h"
#include "cli/ShownName.h"
#include "files/collect/ExtensionList.h"
#include "files/collect/FileList.h"
#include "files/collect/IsAcceptedFile.h"
#include "files/io/StopFlag.h"
#include "files/io/TextFile.h"
#include "files/runs/RestoreBackup.h"
#include "wording/Catalog.h"

#include <set>
#include <sys/stat.h>
#include <utility>

namespace glyphwright::cli {

namespace {

// Every backup below folder, in walk order: the names whose extension is that
// of a backup.
FileList BackupsBelow(const std::string& folder, const StopFlag* stop) {
    ExtensionList backups;
    backups.SetMark(backups.Add(UpperCaseAToZ(ExtensionOf(BackupPath("")))), true);
    FileList found;
    WalkFolder(folder, backups, found, stop);
    return found;
}

// The pairs taken so far, by the backup's device and inode, so that a backup
// reached twice (named and in a folder, or by two names) is restored once.
class Taken {
public:
    explicit Taken(TakenBackups& taken) : taken_(taken) {}

    // False when nothing is at the backup's name.
    bool Add(BackupPair pair) {
        struct stat info {};
        if (::lstat(pair.backup.c_str(), &info) != 0) {
            return false;
        }
        if (seen_.insert({info.st_dev, info.st_ino}).second) {
            taken_.pairs.push_back(std::move(pair));
        }
        return true;
    }

private:
    TakenBackups& taken_;
    std::set<std::pair<dev_t, ino_t>> seen_;
};

} // namespace

TakenBackups TakeBackups(const std::vector<std::string>& paths, const ExtensionList& filter,
                         const StopFlag* stop) {
    TakenBackups taken;
    Taken pairs(taken);
    for (const std::string& path : paths) {
        if (KindOf(path) == PathKind::Folder) {
            const FileList found = BackupsBelow(path, stop);
            for (std::size_t i = 0; i < found.Count(); ++i) {
                const std::optional<std::string> file = BackedUpPath(found.Path(i));
                if (file && IsAcceptedFile(*file, filter)) {
                    pairs.Add({found.Path(i), *file});
                }
            }
        } else {
            const std::optional<std::string> named = BackedUpPath(path);
            BackupPair pair = named ? BackupPair{path, *named} : BackupPair{BackupPath(path), path};
            std::string backup = pair.backup;
            if (!pairs.Add(std::move(pair))) {
                taken.missing.push_back(std::move(backup));
            }
        }
        if (stop != nullptr && stop->Requested()) {
            break;
        }
    }
    return taken;
}

std::string MissingBackupMessage(const std::string& backup) {
    return wording::Format(wording::Tr("Sicherung %s nicht gefunden"), {QuotedName(backup)});
}

} // namespace glyphwright::cli

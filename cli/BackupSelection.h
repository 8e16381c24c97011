// Which backups a restore call names: backups and files named on the command
// line, and the backups found in folders whose file the filter accepts.
#pragma once

#include <string>
#include <vector>

namespace glyphwright {
class ExtensionList;
class StopFlag;
} // namespace glyphwright

namespace glyphwright::cli {

struct BackupPair {
    std::string backup; // FILE._backup_
    std::string file;   // FILE
};

struct TakenBackups {
    std::vector<BackupPair> pairs; // in the order of the paths, folders in walk order
    std::vector<std::string>
        missing; // backups named, directly or by their file, that are not there
};

// A folder is walked as ScanFolder walks it, taking each FILE._backup_ whose
// FILE the filter accepts. Any other path names a backup when it ends in
// "._backup_", else it names the file whose backup is taken. A named backup
// is taken when there is anything at all under its name (lstat), so that a
// link is refused with a reason rather than called missing. A backup reached
// twice (the same device and inode) is taken once, where it is met first.
// A requested stop ends the taking as it ends TakePaths.
TakenBackups TakeBackups(const std::vector<std::string>& paths, const ExtensionList& filter,
                         const StopFlag* stop = nullptr);

// The failure line of a named backup that is not there.
std::string MissingBackupMessage(const std::string& backup);

} // namespace glyphwright::cli

#include "files/runs/RestoreBackup.h"

#include "files/io/FileErrors.h"
#include "files/io/FileReplace.h"
#include "files/io/PosixFile.h"
#include "files/io/WholeFile.h"

#include <cerrno>
#include <exception>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace glyphwright {

namespace {

constexpr std::string_view kSuffix = "._backup_";

// A refusal of this step's own, of the backup at its path.
FileFailure Refusal(const std::string& backup, FailureKind kind, int error = 0) {
    return {kind, backup, error, {}};
}

// Why a backup may not be read, or nothing when it may.
std::optional<FileFailure> RefusalOf(const std::string& backup, const struct stat& info) {
    if (S_ISLNK(info.st_mode)) {
        return Refusal(backup, FailureKind::BackupIsLink);
    }
    if (!S_ISREG(info.st_mode)) {
        return Refusal(backup, FailureKind::BackupNotRegular);
    }
    return std::nullopt;
}

// The removal is skipped when another file took the backup's name meanwhile:
// that one was not restored.
std::optional<FileFailure> RemoveBackup(const std::string& backup, const struct stat& read) {
    struct stat now {};
    if (::lstat(backup.c_str(), &now) != 0 || now.st_dev != read.st_dev ||
        now.st_ino != read.st_ino) {
        return Refusal(backup, FailureKind::BackupReplaced);
    }
    if (::unlink(backup.c_str()) != 0) {
        return Refusal(backup, FailureKind::BackupNotRemoved, errno);
    }
    return std::nullopt;
}

// The bytes of the backup, read through a descriptor that is no link; fd
// stays open for what a file made new from it takes over.
std::string ReadBackup(const std::string& backup, struct stat& info, posix::FileDescriptor& fd) {
    fd = posix::Open(backup, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (!fd.Valid() && errno == ELOOP) {
        throw FileError(Refusal(backup, FailureKind::BackupIsLink));
    }
    if (!fd.Valid() || ::fstat(fd.Get(), &info) != 0) {
        throw OpenError(backup, errno);
    }
    // A second look at the open file closes the gap after the first.
    if (auto refusal = RefusalOf(backup, info)) {
        throw FileError(std::move(*refusal));
    }
    std::string bytes;
    switch (ReadWhole(fd.Get(), info.st_size, bytes)) {
    case WholeRead::Done:
        return bytes;
    case WholeRead::TooLarge:
        throw UnsupportedFileError::TooLarge(backup);
    case WholeRead::Short:
        break;
    }
    throw ShortReadError(backup, errno);
}

RestoreOutcome Failed(RestoreOutcome outcome, FileFailure failure) {
    outcome.failure = std::move(failure);
    return outcome;
}

} // namespace

std::optional<std::string> BackedUpPath(std::string_view backup) {
    if (backup.size() <= kSuffix.size() || !backup.ends_with(kSuffix)) {
        return std::nullopt;
    }
    const std::string_view file = backup.substr(0, backup.size() - kSuffix.size());
    if (file.back() == '/') {
        return std::nullopt;
    }
    return std::string(file);
}

RestoreOutcome RestoreBackup(const std::string& backup, const std::string& target,
                             const RestoreOptions& options) {
    RestoreOutcome outcome;
    try {
        // Looked at before opening, so that no device or FIFO is ever opened.
        struct stat info {};
        if (::lstat(backup.c_str(), &info) == 0) {
            if (auto refusal = RefusalOf(backup, info)) {
                return Failed(std::move(outcome), std::move(*refusal));
            }
        }
        posix::FileDescriptor fd;
        const std::string bytes = ReadBackup(backup, info, fd);
        ReplaceOptions replace;
        // A file put back where none stands now is as private as its backup.
        replace.copyOf = ReplaceOptions::Original{fd.Get(), info};
        replace.sync = options.sync;
        replace.stop = options.stop;
        ReplaceFileContent(target, bytes, replace);
        outcome.restored = true;
        if (!options.keep) {
            if (auto kept = RemoveBackup(backup, info)) {
                return Failed(std::move(outcome), std::move(*kept));
            }
        }
        return outcome;
    } catch (...) {
        return Failed(std::move(outcome), FailureOf(std::current_exception(), target));
    }
}

} // namespace glyphwright

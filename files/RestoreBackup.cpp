#include "files/RestoreBackup.h"

#include "files/FileErrors.h"
#include "files/FileReplace.h"
#include "files/LargeText.h"
#include "files/PosixFile.h"

#include <cerrno>
#include <exception>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace glyphwright {

namespace {

constexpr std::string_view kSuffix = "._backup_";

std::string Refusal(const std::string& backup, std::string_view what) {
    return "Sicherung " + backup + std::string(what) + " und wird nicht zurückgeschrieben";
}

constexpr std::string_view kLink = " ist eine symbolische Verknüpfung";
constexpr std::string_view kNotRegular = " ist keine gewöhnliche Datei";

// Why a backup may not be read, or nothing when it may.
std::optional<std::string> RefusalOf(const std::string& backup, const struct stat& info) {
    if (S_ISLNK(info.st_mode)) {
        return Refusal(backup, kLink);
    }
    if (!S_ISREG(info.st_mode)) {
        return Refusal(backup, kNotRegular);
    }
    return std::nullopt;
}

// The removal is skipped when another file took the backup's name meanwhile:
// that one was not restored.
std::string RemoveBackup(const std::string& backup, const struct stat& read) {
    struct stat now {};
    if (::lstat(backup.c_str(), &now) != 0 || now.st_dev != read.st_dev ||
        now.st_ino != read.st_ino) {
        return "Sicherung " + backup + " wurde während des Zurückschreibens ersetzt und bleibt";
    }
    if (::unlink(backup.c_str()) != 0) {
        return "Sicherung " + backup + " kann nicht gelöscht werden";
    }
    return {};
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

RestoreOutcome RestoreBackup(const std::string& backup, const std::string& target, bool keep) {
    RestoreOutcome outcome;
    try {
        // Looked at before opening, so that no device or FIFO is ever opened.
        struct stat info {};
        if (::lstat(backup.c_str(), &info) == 0) {
            if (auto refusal = RefusalOf(backup, info)) {
                outcome.message = std::move(*refusal);
                return outcome;
            }
        }
        // O_NOFOLLOW and a second look at the open file close the gap after the first.
        posix::FileDescriptor fd =
            posix::Open(backup, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (!fd.Valid() && errno == ELOOP) {
            outcome.message = Refusal(backup, kLink);
            return outcome;
        }
        if (!fd.Valid() || ::fstat(fd.Get(), &info) != 0) {
            throw OpenError(backup);
        }
        if (auto refusal = RefusalOf(backup, info)) {
            outcome.message = std::move(*refusal);
            return outcome;
        }
        const auto size = static_cast<std::size_t>(info.st_size);
        std::string bytes = MakeLargeText(size);
        char probe = 0;
        if (posix::ReadUpTo(fd.Get(), bytes.data(), size) != static_cast<ssize_t>(size) ||
            posix::ReadUpTo(fd.Get(), &probe, 1) != 0) {
            throw ShortReadError(backup);
        }
        fd.Reset();

        ReplaceFileContent(target, bytes);
        outcome.restored = true;
        if (!keep) {
            outcome.message = RemoveBackup(backup, info);
        }
    } catch (const std::bad_alloc&) {
        outcome.message = "Zu wenig Arbeitsspeicher";
    } catch (const std::exception& error) {
        outcome.message = error.what();
    } catch (...) {
        outcome.message = "Unbekannter Fehler";
    }
    return outcome;
}

} // namespace glyphwright

#include "files/io/TextFile.h"

#include "files/io/FileErrors.h"
#include "files/io/FileReplace.h"
#include "files/io/LargeText.h"
#include "files/io/PosixFile.h"
#include "files/io/ReadLease.h"
#include "files/io/TrustedLinks.h"
#include "files/io/WholeFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace glyphwright {

namespace {

// No advisory lock is taken: only cooperating programs would honour it, and
// the replacement by rename already gives every reader either the old or the
// new file whole.

} // namespace

TextFileReader::TextFileReader(const std::string& path) : path_(path) {
    std::string target;
    struct stat looked {};
    // The path with its links followed by the rule, and what it names.
    const auto resolve = [&](bool follow) {
        target = follow ? ResolveTrustedLinks(path) : path;
        if (::lstat(target.c_str(), &looked) != 0) {
            throw OpenError(path, errno);
        }
    };
    // Where the kernel cannot refuse links on open, every path is resolved by
    // the rule first; otherwise only one that holds a link.
    resolve(!LinksSeenOnOpen());
    if (S_ISLNK(looked.st_mode)) {
        resolve(true);
    }
    for (int attempt = 0;; ++attempt) {
        // Looked at before it is opened: opening a FIFO would release a
        // writer waiting on it, and a device or socket is nothing to read.
        if (!S_ISREG(looked.st_mode)) {
            throw UnsupportedFileError::NotRegular(path, looked.st_mode & S_IFMT);
        }
        if (looked.st_size >= kWholeFileLimit) {
            throw UnsupportedFileError::TooLarge(path);
        }
        fd_ = OpenWithoutLinks(target, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd_.Valid()) {
            break;
        }
        if (errno != ELOOP || attempt > 0) {
            throw OpenError(path, errno);
        }
        // A link in one of its folders, or one that took the file's place.
        resolve(true);
    }
    if (::fstat(fd_.Get(), &info_) != 0) {
        throw OpenError(path, errno);
    }
    if (info_.st_dev != looked.st_dev || info_.st_ino != looked.st_ino) {
        throw ChangedError(path);
    }
    stamp_ = StampOf(info_);
}

std::string TextFileReader::LoadBytes() {
    // One byte of room more, for the line end that splitting in place may add.
    std::string bytes;
    if (ReadWhole(fd_.Get(), static_cast<off_t>(stamp_.size), bytes, 1) != WholeRead::Done) {
        throw ShortReadError(path_);
    }

    // The line model ends at the first NUL: such a file is refused whole
    // rather than written back shortened.
    if (bytes.find('\0') != std::string::npos) {
        throw UnsupportedFileError::HoldsNul(path_);
    }
    return bytes;
}

void TextFileReader::RefuseIfBeingWritten() {
    // Taken and given back at once: a writer that opens the file later
    // changes its stamp, which the replacement checks.
    ReadLease lease(fd_.Get(), path_);
    lease.Release();
}

std::string LoadFileBytes(const std::string& path) {
    TextFileReader reader(path);
    std::string bytes = reader.LoadBytes();
    reader.RefuseIfBeingWritten();
    return bytes;
}

std::string BackupPath(const std::string& path) {
    return path + "._backup_";
}

} // namespace glyphwright

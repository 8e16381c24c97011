#include "files/io/FileReplace.h"

#include "files/io/FileAttributes.h"
#include "files/io/FileErrors.h"
#include "files/io/PosixFile.h"
#include "files/io/StopFlag.h"
#include "files/io/TempFile.h"
#include "files/io/TrustedLinks.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace glyphwright {

namespace {

using posix::FileDescriptor;

constexpr mode_t kAnyWriteBit = S_IWUSR | S_IWGRP | S_IWOTH;
constexpr int kWriteFlags = O_NONBLOCK | O_NOCTTY | O_CLOEXEC;

struct Target {
    std::string path;      // where the content goes: the final target of a followed link
    bool existing = false; // a file is there to take over from (else a new one is made)
    bool regular = false;  // known to be a regular file, no need to look again
};

Target Locate(const std::string& path, ReplaceOptions::Links links) {
    const bool follow = links == ReplaceOptions::Links::Follow;
    // Without openat2 a link in a folder of the path would go unseen on open.
    const std::string looked = follow && !LinksSeenOnOpen() ? ResolveTrustedLinks(path) : path;
    struct stat info {};
    if (::lstat(looked.c_str(), &info) != 0) {
        if (errno == ENOENT) {
            return {path};
        }
        throw CreateError(path, errno);
    }
    if (S_ISDIR(info.st_mode)) {
        throw CreateError(path, EISDIR);
    }
    if (!follow) {
        // A second name of another file, or a link, is never written through.
        const bool ownFile = S_ISREG(info.st_mode) && info.st_nlink == 1;
        if (!ownFile && !S_ISREG(info.st_mode) && !S_ISLNK(info.st_mode)) {
            throw CreateError(path);
        }
        return {path, ownFile, ownFile};
    }
    if (!S_ISLNK(info.st_mode)) {
        return {looked, true, S_ISREG(info.st_mode)};
    }
    // A link that names nothing is refused rather than followed to a new file.
    Target target{ResolveTrustedLinks(path), true, false};
    if (::lstat(target.path.c_str(), &info) != 0) {
        throw CreateError(path, errno);
    }
    return target;
}

// The last look before the file at target is replaced: a requested stop, and
// a file that is no longer the one that was read. This is the one place that
// looks for a change made since the read, as late as it can be made: a change
// found earlier would only spare a temporary file that is thrown away.
void LastCheck(const std::string& path, const std::string& target, const ReplaceOptions& options) {
    if (options.beforeReplace) {
        options.beforeReplace(target);
    }
    if (options.stop != nullptr && options.stop->Requested()) {
        throw StoppedError(path);
    }
    if (options.expected) {
        struct stat now {};
        if (::stat(path.c_str(), &now) != 0 || !Unchanged(*options.expected, StampOf(now))) {
            throw ChangedError(path);
        }
    }
}

void SyncFile(int fd, const std::string& path) {
    if (::fsync(fd) != 0) {
        throw WriteError(path, errno);
    }
}

FileStamp StampOfOpen(int fd, const std::string& path) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        throw WriteError(path, errno);
    }
    return StampOf(info);
}

// The written temporary file, made durable when asked, closed and, after the
// last look at what it replaces, renamed over target. Returns its stamp.
FileStamp RenameOver(TempFile& temp, const std::string& path, const std::string& target,
                     const ReplaceOptions& options) {
    if (options.sync) {
        SyncFile(temp.Fd(), path);
    }
    const FileStamp stamp = StampOfOpen(temp.Fd(), path);
    if (!temp.Close()) {
        throw WriteError(path, errno);
    }
    LastCheck(path, target, options);
    if (!temp.RenameTo(target)) {
        throw CreateError(path, errno);
    }
    return stamp;
}

// A file of its own at path, made new: the usual mode for new files (0666
// less the umask), renamed over whatever stands there.
Replaced WriteNewFile(const std::string& path, const FileContent& content,
                      const ReplaceOptions& options) {
    if (options.expected) {
        // The file that was read is gone.
        throw ChangedError(path);
    }
    const auto& original = options.copyOf;
    TempFile temp(path, original ? 0600 : 0666);
    if (!temp.Valid()) {
        throw CreateError(path, errno);
    }
    if (!WriteContent(temp.Fd(), content)) {
        throw WriteError(path, errno);
    }
    if (original && !TakeOverAsCopy(temp.Fd(), original->fd, original->info)) {
        throw CreateError(path, errno);
    }
    const FileStamp stamp = RenameOver(temp, path, path, options);
    return {stamp, FolderOf(path), std::nullopt};
}

// Overwrites the open file itself, for files whose every name must keep
// seeing the same content, whose owner a new file could not get, or when the
// folder takes no temporary file. The room is reserved first, so that a full
// disk or a size limit is found before the first old byte is overwritten; if
// a write still fails, the old bytes are put back where they could be read.
Replaced WriteInPlace(const std::string& path, const std::string& target, int fd, bool readable,
                      const struct stat& old, const FileContent& content,
                      const ReplaceOptions& options) {
    // Content made piece by piece is passed once to learn its size, before
    // the last check, as it is all made then.
    const auto newSize = static_cast<off_t>(ContentSize(content));
    LastCheck(path, target, options);
    std::string oldContent;
    bool haveOld = false;
    if (readable && old.st_size < INT_MAX) {
        oldContent.resize(static_cast<std::size_t>(old.st_size));
        const ssize_t got = ::pread(fd, oldContent.data(), oldContent.size(), 0);
        haveOld = got == static_cast<ssize_t>(oldContent.size());
    }
    auto restore = [&] {
        if (haveOld) {
            posix::WriteAllAt(fd, oldContent, 0);
        }
        if (::ftruncate(fd, old.st_size) != 0) {
            // Nothing more can be done; the error is reported anyway.
        }
    };
    auto fail = [&](int error) {
        restore();
        throw WriteError(path, error);
    };
    if (newSize > old.st_size) {
        const int reserved = ::posix_fallocate(fd, 0, newSize);
        if (reserved == ENOSPC || reserved == EFBIG || reserved == EDQUOT) {
            fail(reserved);
        }
    }
    bool written = false;
    try {
        written = WriteContentAt(fd, content, 0);
    } catch (...) {
        restore();
        throw;
    }
    if (!written || ::ftruncate(fd, newSize) != 0) {
        fail(errno);
    }
    if (options.sync) {
        SyncFile(fd, path);
    }
    return {StampOfOpen(fd, path), {}, std::nullopt};
}

} // namespace

Replaced ReplaceFileContent(const std::string& path, std::string_view content,
                            const ReplaceOptions& options) {
    return ReplaceFileContent(path, WholeText(content), options);
}

Replaced ReplaceFileContent(const std::string& path, const FileContent& content,
                            const ReplaceOptions& options) {
    const bool follow = options.links == ReplaceOptions::Links::Follow;
    Target target = Locate(path, options.links);
    if (!target.existing || (!follow && options.copyOf)) {
        return WriteNewFile(path, content, options);
    }

    // Look before opening, so that a FIFO or a device is never opened here.
    struct stat old {};
    if (!target.regular && (::stat(target.path.c_str(), &old) != 0 || !S_ISREG(old.st_mode))) {
        throw CreateError(path, S_ISDIR(old.st_mode) ? EISDIR : 0);
    }
    // Opening for writing lets the kernel decide whether this process may
    // write the file, even though a rename in a writable folder would
    // replace it anyway. The file as it was read needs no second open: the
    // kernel is asked the same question without one.
    bool readable = true;
    auto open = [&](int access) {
        if (!follow) {
            return posix::Open(target.path, access | kWriteFlags | O_NOFOLLOW);
        }
        FileDescriptor fd = OpenWithoutLinks(target.path, access | kWriteFlags);
        if (!fd.Valid() && errno == ELOOP) {
            // A link in a folder of the path, or one put in the file's place.
            target.path = ResolveTrustedLinks(path);
            fd = OpenWithoutLinks(target.path, access | kWriteFlags);
        }
        return fd;
    };
    const bool asRead = follow && options.expected && options.readFd >= 0;
    FileDescriptor opened;
    bool mayWrite = asRead && ::faccessat(AT_FDCWD, target.path.c_str(), W_OK, AT_EACCESS) == 0;
    if (!asRead) {
        opened = open(O_RDWR);
        if (!opened.Valid() && errno == EACCES) {
            readable = false;
            opened = open(O_WRONLY);
        }
        mayWrite = opened.Valid();
    }
    if (!mayWrite) {
        const int error = errno;
        struct stat now {};
        if (error == EACCES && ::stat(target.path.c_str(), &now) == 0 &&
            (now.st_mode & kAnyWriteBit) == 0) {
            throw CreateError::ReadOnly(path);
        }
        throw CreateError(path, error);
    }
    const int existing = asRead ? options.readFd : opened.Get();
    // Only a file written in place needs a descriptor that writes.
    auto inPlace = [&]() {
        if (!opened.Valid()) {
            opened = open(O_RDWR);
            if (!opened.Valid()) {
                throw CreateError(path, errno);
            }
        }
        return WriteInPlace(path, target.path, opened.Get(), readable, old, content, options);
    };
    if (::fstat(existing, &old) != 0) {
        throw CreateError(path, errno);
    }
    if (!S_ISREG(old.st_mode)) {
        throw CreateError(path, S_ISDIR(old.st_mode) ? EISDIR : 0);
    }
    // "Read-only" is the mode's business, so that root is refused the same way.
    if ((old.st_mode & kAnyWriteBit) == 0) {
        throw CreateError::ReadOnly(path);
    }
    if (old.st_nlink > 1) {
        if (!follow) {
            // Became a second name since it was looked at: a new file of its own.
            opened.Reset();
            return WriteNewFile(path, content, options);
        }
        return inPlace();
    }

    TempFile temp(target.path, 0600);
    if (!temp.Valid()) {
        if (errno != EACCES && errno != EPERM) {
            throw CreateError(path, errno);
        }
        return inPlace();
    }
    if (!TakeOverOwner(temp.Fd(), old)) {
        // A new file would change who may read it: keep the old one.
        temp.Discard();
        return inPlace();
    }
    if (!WriteContent(temp.Fd(), content)) {
        throw WriteError(path, errno);
    }
    CopyExtendedAttributes(existing, temp.Fd());
    if (!TakeOverMode(temp.Fd(), old)) {
        throw CreateError(path, errno);
    }
    const FileStamp stamp = RenameOver(temp, path, target.path, options);
    // A writer that kept the old file open may have written after the last
    // check: those bytes went into the file that is now gone.
    struct stat after {};
    if (options.expected && ::fstat(existing, &after) == 0 &&
        !Unchanged(StampOf(old), StampOf(after))) {
        throw ChangedError(path);
    }
    return {stamp, FolderOf(target.path), FileId{old.st_dev, old.st_ino}};
}

} // namespace glyphwright

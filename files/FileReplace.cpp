#include "files/FileReplace.h"

#include "files/FileErrors.h"
#include "files/PosixFile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace glyphwright {

namespace {

using posix::FileDescriptor;

constexpr mode_t kAnyWriteBit = S_IWUSR | S_IWGRP | S_IWOTH;
constexpr mode_t kPermissionBits = 07777;
constexpr int kWriteFlags = O_NONBLOCK | O_NOCTTY | O_CLOEXEC;

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A temporary file that is removed again unless it was renamed into place.
class TempFile {
public:
    // Creates a hidden file with a fresh name in the folder of target.
    // Invalid (errno set) when the folder takes no new file.
    TempFile(const std::string& target, mode_t mode) {
        // Keep the name short enough for NAME_MAX with the suffix added.
        const std::string stem = FolderOf(target) + "/." + NameOf(target).substr(0, 200) + ".gw~";
        thread_local std::mt19937_64 random{std::random_device{}()};
        static constexpr char kLetters[] =
            "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::string candidate = stem;
            for (int i = 0; i < 8; ++i) {
                candidate += kLetters[random() % (sizeof(kLetters) - 1)];
            }
            fd_ = posix::Open(candidate, O_WRONLY | O_CREAT | O_EXCL | kWriteFlags, mode);
            if (fd_.Valid()) {
                path_ = std::move(candidate);
                return;
            }
            if (errno != EEXIST) {
                return;
            }
        }
    }
    ~TempFile() { Discard(); }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    bool Valid() const { return fd_.Valid(); }
    int Fd() const { return fd_.Get(); }
    bool Close() { return fd_.Close(); }

    // Renames the finished file over target; afterwards nothing is removed.
    bool RenameTo(const std::string& target) {
        if (::rename(path_.c_str(), target.c_str()) != 0) {
            return false;
        }
        path_.clear();
        return true;
    }

    void Discard() {
        fd_.Reset();
        if (!path_.empty()) {
            ::unlink(path_.c_str());
            path_.clear();
        }
    }

private:
    FileDescriptor fd_;
    std::string path_;
};

// Writes content to a file that does not exist yet. The new file gets the
// usual mode for new files (0666 less the umask).
void WriteNewFile(const std::string& path, const FileContent& content) {
    TempFile temp(path, 0666);
    if (!temp.Valid()) {
        throw CreateError(path);
    }
    if (!WriteContent(temp.Fd(), content) || !temp.Close()) {
        throw WriteError();
    }
    if (!temp.RenameTo(path)) {
        throw CreateError(path);
    }
}

// Gives the new file the old one's owner where the process may, and its
// permission bits (after the owner, as a change of owner clears set-id bits).
bool TakeOverOwnerAndMode(int fd, const struct stat& old) {
    // This process never changes its identity, and a batch asks for every file.
    static const uid_t ownUser = ::geteuid();
    static const gid_t ownGroup = ::getegid();
    if (old.st_uid != ownUser || old.st_gid != ownGroup) {
        if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
            // Not allowed to give the file away: keep at least the group.
            if (::fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0) {
                // The new file stays with this process's owner and group.
            }
        }
    }
    return ::fchmod(fd, old.st_mode & kPermissionBits) == 0;
}

// Overwrites the open file itself, for files whose every name must keep
// seeing the same content, or when the folder takes no temporary file.
// The space is reserved first, so that a full disk or a size limit is found
// before the first old byte is overwritten; if a write still fails, the old
// bytes are put back where they could be read.
void WriteInPlace(int fd, bool readable, const struct stat& old, const FileContent& content) {
    const auto newSize = static_cast<off_t>(ContentSize(content));
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
            // Nothing more can be done; the write error is reported anyway.
        }
    };
    if (newSize > old.st_size) {
        const int reserved = ::posix_fallocate(fd, 0, newSize);
        if (reserved == ENOSPC || reserved == EFBIG || reserved == EDQUOT) {
            restore();
            throw WriteError();
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
        restore();
        throw WriteError();
    }
}

struct Target {
    std::string path; // where the content goes: the final target of a link
    bool exists = false;
    bool regular = false; // known to be a regular file, no need to look again
};

Target ResolveTarget(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
        if (errno == ENOENT) {
            return {path, false};
        }
        throw CreateError(path);
    }
    if (!S_ISLNK(info.st_mode)) {
        return {path, true, S_ISREG(info.st_mode)};
    }
    // A link stays a link: the file it finally points to is replaced. A link
    // that points nowhere is refused rather than followed to a new file.
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (resolved == nullptr) {
        throw CreateError(path);
    }
    Target target{resolved, true, false};
    std::free(resolved);
    return target;
}

} // namespace

void ReplaceFileContent(const std::string& path, std::string_view content) {
    ReplaceFileContent(path, WholeText(content));
}

void ReplaceFileContent(const std::string& path, const FileContent& content) {
    const Target target = ResolveTarget(path);
    if (!target.exists) {
        WriteNewFile(path, content);
        return;
    }

    // Look before opening, so that a FIFO or a device is never opened here.
    struct stat old {};
    if (!target.regular && (::stat(target.path.c_str(), &old) != 0 || !S_ISREG(old.st_mode))) {
        throw CreateError(path);
    }
    // Opening for writing lets the kernel decide whether this process may
    // write the file, even though a rename in a writable folder would
    // replace it anyway.
    bool readable = true;
    FileDescriptor existing = posix::Open(target.path, O_RDWR | kWriteFlags);
    if (!existing.Valid() && errno == EACCES) {
        readable = false;
        existing = posix::Open(target.path, O_WRONLY | kWriteFlags);
    }
    // "Read-only" is the mode's business, so that root is refused the same way.
    if (!existing.Valid() || ::fstat(existing.Get(), &old) != 0 || !S_ISREG(old.st_mode) ||
        (old.st_mode & kAnyWriteBit) == 0) {
        throw CreateError(path);
    }

    if (old.st_nlink > 1) {
        WriteInPlace(existing.Get(), readable, old, content);
        return;
    }
    TempFile temp(target.path, 0600);
    if (!temp.Valid()) {
        WriteInPlace(existing.Get(), readable, old, content);
        return;
    }
    existing.Reset();
    if (!WriteContent(temp.Fd(), content)) {
        throw WriteError();
    }
    if (!TakeOverOwnerAndMode(temp.Fd(), old)) {
        throw CreateError(path);
    }
    if (!temp.Close()) {
        throw WriteError();
    }
    if (!temp.RenameTo(target.path)) {
        throw CreateError(path);
    }
}

} // namespace glyphwright

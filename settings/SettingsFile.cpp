#include "settings/SettingsFile.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace glyphwright {
namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    int Get() const { return fd_; }
    // Closes now so that the caller sees a failing close.
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

// The temporary file is removed unless it was renamed into place.
class TemporaryName {
public:
    explicit TemporaryName(std::string path) : path_(std::move(path)) {}
    TemporaryName(const TemporaryName&) = delete;
    TemporaryName& operator=(const TemporaryName&) = delete;
    ~TemporaryName() {
        if (!path_.empty()) {
            ::unlink(path_.c_str());
        }
    }
    const std::string& Path() const { return path_; }
    void Release() { path_.clear(); }

private:
    std::string path_;
};

mode_t CurrentUmask() {
    // Reading it from /proc leaves the process's umask untouched for other threads.
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("Umask:", 0) == 0) {
            return static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8) & 0777);
        }
    }
    return 022;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        if (written == 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

std::string ResolvedTarget(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        char resolved[PATH_MAX];
        if (::realpath(path.c_str(), resolved) != nullptr) {
            return resolved;
        }
    }
    return path;
}

std::string BaseNameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

SettingsReadError::SettingsReadError(const std::string& path)
    : std::runtime_error("Datei " + path + " kann nicht geöffnet werden") {}

SettingsWriteError::SettingsWriteError(const std::string& path)
    : std::runtime_error("nach " + path + " kann nicht geschrieben werden") {}

std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

FilePresence ProbeFile(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        return S_ISREG(st.st_mode) ? FilePresence::Present : FilePresence::Absent;
    }
    return (errno == ENOENT || errno == ENOTDIR) ? FilePresence::Absent : FilePresence::Unknown;
}

std::string ReadWholeFile(const std::string& path) {
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    struct stat st {};
    if (fd.Get() < 0 || ::fstat(fd.Get(), &st) != 0 || !S_ISREG(st.st_mode)) {
        throw SettingsReadError(path);
    }
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(st.st_size));
    char chunk[65536];
    for (;;) {
        const ssize_t got = ::read(fd.Get(), chunk, sizeof chunk);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw SettingsReadError(path);
        }
        if (got == 0) {
            break;
        }
        bytes.append(chunk, static_cast<std::size_t>(got));
    }
    return bytes;
}

bool IsWritable(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || (st.st_mode & 0222) == 0) {
        return false;
    }
    const int wanted = S_ISDIR(st.st_mode) ? (W_OK | X_OK) : W_OK;
    return ::access(path.c_str(), wanted) == 0;
}

void CreateFolders(const std::string& folder) {
    struct stat st {};
    if (::stat(folder.c_str(), &st) == 0) {
        if (!S_ISDIR(st.st_mode)) {
            throw SettingsWriteError(folder);
        }
        return;
    }
    const std::string parent = FolderOf(folder);
    if (parent != folder && parent != ".") {
        CreateFolders(parent);
    }
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        throw SettingsWriteError(folder);
    }
}

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
    const std::string target = ResolvedTarget(path);
    const std::string folder = FolderOf(target);

    mode_t mode = 0666 & ~CurrentUmask();
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists) {
        if (!S_ISREG(old.st_mode) || !IsWritable(target)) {
            throw SettingsWriteError(path);
        }
        mode = old.st_mode & 07777;
    }
    if (!IsWritable(folder)) {
        throw SettingsWriteError(path);
    }

    std::string pattern = folder + "/." + BaseNameOf(target) + ".tmp-XXXXXX";
    FileDescriptor fd(::mkostemp(pattern.data(), O_CLOEXEC));
    if (fd.Get() < 0) {
        throw SettingsWriteError(path);
    }
    TemporaryName temporary(pattern);

    if (exists && (old.st_uid != ::geteuid() || old.st_gid != ::getegid())) {
        // Keeps the owner where the system lets us; mode bits are what matter.
        [[maybe_unused]] const int ignored = ::fchown(fd.Get(), old.st_uid, old.st_gid);
    }
    if (!WriteAll(fd.Get(), bytes) || ::fchmod(fd.Get(), mode) != 0 || ::fsync(fd.Get()) != 0 ||
        !fd.Close()) {
        throw SettingsWriteError(path);
    }
    if (::rename(temporary.Path().c_str(), target.c_str()) != 0) {
        throw SettingsWriteError(path);
    }
    temporary.Release();

    // Makes the rename itself durable; the new contents are complete either way.
    FileDescriptor folderFd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folderFd.Get() >= 0) {
        ::fsync(folderFd.Get());
    }
}

} // namespace glyphwright

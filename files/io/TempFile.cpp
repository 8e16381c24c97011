#include "files/io/TempFile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <random>
#include <unistd.h>

namespace glyphwright {

namespace {

std::string NameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

TempFile::TempFile(const std::string& target, mode_t mode) {
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
        fd_ = posix::Open(candidate,
                          O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC, mode);
        if (fd_.Valid()) {
            path_ = std::move(candidate);
            return;
        }
        if (errno != EEXIST) {
            return;
        }
    }
}

bool TempFile::RenameTo(const std::string& target) {
    if (::rename(path_.c_str(), target.c_str()) != 0) {
        return false;
    }
    path_.clear();
    return true;
}

void TempFile::Discard() {
    const int saved = errno;
    fd_.Reset();
    if (!path_.empty()) {
        ::unlink(path_.c_str());
        path_.clear();
    }
    errno = saved;
}

bool SyncFolder(const std::string& folder) {
    const posix::FileDescriptor fd =
        posix::Open(folder, O_RDONLY | O_DIRECTORY | O_NOCTTY | O_CLOEXEC);
    return fd.Valid() && ::fsync(fd.Get()) == 0;
}

} // namespace glyphwright

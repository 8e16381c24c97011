#include "files/io/FileAttributes.h"

#include <cerrno>
#include <string>
#include <string_view>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

namespace glyphwright {

namespace {

constexpr mode_t kPermissionBits = 07777;

// The names of fd's extended attributes, NUL-separated; empty when there are
// none or they cannot be listed.
std::string AttributeNames(int fd) {
    std::string names;
    for (int attempt = 0; attempt < 4; ++attempt) {
        const ssize_t size = ::flistxattr(fd, nullptr, 0);
        if (size <= 0) {
            return {};
        }
        names.resize(static_cast<std::size_t>(size));
        const ssize_t got = ::flistxattr(fd, names.data(), names.size());
        if (got >= 0) {
            names.resize(static_cast<std::size_t>(got));
            return names;
        }
        if (errno != ERANGE) {
            return {};
        }
        // The list grew in between: ask again.
    }
    return {};
}

bool ReadAttribute(int fd, const char* name, std::vector<char>& value) {
    for (int attempt = 0; attempt < 4; ++attempt) {
        const ssize_t size = ::fgetxattr(fd, name, nullptr, 0);
        if (size < 0) {
            return false;
        }
        value.resize(static_cast<std::size_t>(size));
        const ssize_t got = ::fgetxattr(fd, name, value.data(), value.size());
        if (got >= 0) {
            value.resize(static_cast<std::size_t>(got));
            return true;
        }
        if (errno != ERANGE) {
            return false;
        }
    }
    return false;
}

} // namespace

bool TakeOverOwner(int fd, const struct stat& old) {
    // This process never changes its identity, and a batch asks for every file.
    static const uid_t ownUser = ::geteuid();
    static const gid_t ownGroup = ::getegid();
    if (old.st_uid == ownUser && old.st_gid == ownGroup) {
        return true;
    }
    return ::fchown(fd, old.st_uid, old.st_gid) == 0;
}

void CopyExtendedAttributes(int from, int to) {
    const std::string names = AttributeNames(from);
    std::vector<char> value;
    for (std::size_t at = 0; at < names.size();) {
        const std::size_t end = names.find('\0', at);
        const std::string name = names.substr(at, end - at);
        at = end == std::string::npos ? names.size() : end + 1;
        if (name.empty() || !ReadAttribute(from, name.c_str(), value)) {
            continue;
        }
        // Refused (EPERM, ENOTSUP, EINVAL ...): skipped, the file is still good.
        [[maybe_unused]] const int ignored =
            ::fsetxattr(to, name.c_str(), value.data(), value.size(), 0);
    }
}

bool TakeOverAsCopy(int fd, int originalFd, const struct stat& original) {
    mode_t mode = original.st_mode & 0777;
    // Root keeps the owner; anyone else may give a group of their own.
    if (::fchown(fd, original.st_uid, original.st_gid) != 0 &&
        ::fchown(fd, static_cast<uid_t>(-1), original.st_gid) != 0) {
        mode &= ~static_cast<mode_t>(S_IRWXG);
    }
    CopyExtendedAttributes(originalFd, fd);
    return ::fchmod(fd, mode) == 0;
}

bool TakeOverMode(int fd, const struct stat& old) {
    return ::fchmod(fd, old.st_mode & kPermissionBits) == 0;
}

} // namespace glyphwright

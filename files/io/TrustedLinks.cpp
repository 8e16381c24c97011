#include "files/io/TrustedLinks.h"

#include "files/io/FileErrors.h"

#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <linux/openat2.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <vector>

namespace glyphwright {

namespace {

// As many links as the kernel follows in one path.
constexpr int kMaxLinks = 40;

long CallOpenat2(const std::string& path, int flags, mode_t mode) {
    open_how how{};
    how.flags = static_cast<std::uint64_t>(flags);
    how.mode = (flags & (O_CREAT | O_TMPFILE)) != 0 ? mode : 0;
    how.resolve = RESOLVE_NO_SYMLINKS;
    long fd;
    do {
        fd = ::syscall(SYS_openat2, AT_FDCWD, path.c_str(), &how, sizeof how);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

// An old kernel, or a system call filter that does not know openat2, refuses it.
bool HaveOpenat2() {
    static const bool have = [] {
        const long fd = CallOpenat2("/", O_PATH | O_CLOEXEC, 0);
        if (fd < 0) {
            return false;
        }
        ::close(static_cast<int>(fd));
        return true;
    }();
    return have;
}

uid_t Self() {
    // This process never changes its identity.
    static const uid_t self = ::geteuid();
    return self;
}

std::string ReadLink(const std::string& path) {
    std::string target(256, '\0');
    for (;;) {
        const ssize_t size = ::readlink(path.c_str(), target.data(), target.size());
        if (size < 0) {
            return {};
        }
        if (static_cast<std::size_t>(size) < target.size()) {
            target.resize(static_cast<std::size_t>(size));
            return target;
        }
        target.resize(target.size() * 2);
    }
}

// Splits a path into its parts, in the order they are walked.
void PushParts(std::vector<std::string>& pending, const std::string& path) {
    std::vector<std::string> parts;
    std::size_t at = 0;
    while (at <= path.size()) {
        const std::size_t slash = path.find('/', at);
        const std::size_t end = slash == std::string::npos ? path.size() : slash;
        if (end > at) {
            parts.push_back(path.substr(at, end - at));
        }
        if (slash == std::string::npos) {
            break;
        }
        at = slash + 1;
    }
    // pending is used as a stack: the first part goes last.
    pending.insert(pending.end(), parts.rbegin(), parts.rend());
}

std::string Joined(const std::string& folder, const std::string& name) {
    if (folder.empty()) {
        return name;
    }
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

} // namespace

bool MayFollowLink(const struct stat& link, const struct stat& target) {
    return link.st_uid == Self() || link.st_uid == target.st_uid;
}

std::string ResolveTrustedLinks(const std::string& path) {
    std::string resolved = !path.empty() && path.front() == '/' ? "/" : "";
    std::vector<std::string> pending;
    PushParts(pending, path);
    int links = 0;
    while (!pending.empty()) {
        const std::string part = std::move(pending.back());
        pending.pop_back();
        if (part == ".") {
            continue;
        }
        if (part == "..") {
            // Lexical once the parts before are free of links.
            const std::size_t slash = resolved.rfind('/');
            const std::string last = resolved.substr(slash == std::string::npos ? 0 : slash + 1);
            if (resolved.empty() || last == "..") {
                resolved = Joined(resolved, "..");
            } else if (resolved != "/") {
                resolved.resize(slash == std::string::npos ? 0 : (slash == 0 ? 1 : slash));
            }
            continue;
        }
        const std::string next = Joined(resolved, part);
        struct stat link {};
        if (::lstat(next.c_str(), &link) != 0) {
            // Gone or not to be looked at: the caller's open says why.
            resolved = next;
            for (auto rest = pending.rbegin(); rest != pending.rend(); ++rest) {
                resolved = Joined(resolved, *rest);
            }
            return resolved;
        }
        if (!S_ISLNK(link.st_mode)) {
            resolved = next;
            continue;
        }
        // A link that names nothing has no owner to agree with: only one's own is followed.
        struct stat target {};
        const bool named = ::stat(next.c_str(), &target) == 0;
        if (named ? !MayFollowLink(link, target) : link.st_uid != Self()) {
            throw LinkRefusedError(next);
        }
        if (++links > kMaxLinks) {
            throw OpenError(path, ELOOP);
        }
        const std::string text = ReadLink(next);
        if (!text.empty() && text.front() == '/') {
            resolved.assign(1, '/'); // not = "/": GCC 12 warns falsely there (-Wrestrict)
        }
        PushParts(pending, text);
    }
    return resolved.empty() ? "." : resolved;
}

posix::FileDescriptor OpenWithoutLinks(const std::string& path, int flags, mode_t mode) {
    if (HaveOpenat2()) {
        return posix::FileDescriptor(static_cast<int>(CallOpenat2(path, flags, mode)));
    }
    return posix::Open(path, flags | O_NOFOLLOW, mode);
}

bool LinksSeenOnOpen() {
    return HaveOpenat2();
}

} // namespace glyphwright

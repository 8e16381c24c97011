#include "files/io/PosixFile.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace glyphwright::posix {

namespace {

// Linux moves at most about 2 GiB per call; smaller pieces keep every count
// well inside ssize_t.
constexpr std::size_t kMaxPiece = std::size_t{1} << 30;

} // namespace

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept {
    if (this != &other) {
        Reset();
        fd_ = other.fd_;
        other.fd_ = -1;
    }
    return *this;
}

bool FileDescriptor::Close() {
    if (fd_ < 0) {
        return true;
    }
    // Linux releases the descriptor even when close fails, also on EINTR,
    // so it is never closed twice.
    const int result = ::close(fd_);
    fd_ = -1;
    return result == 0;
}

void FileDescriptor::Reset() {
    Close();
}

FileDescriptor Open(const std::string& path, int flags, mode_t mode) {
    int fd;
    do {
        fd = ::open(path.c_str(), flags, mode);
    } while (fd < 0 && errno == EINTR);
    return FileDescriptor(fd);
}

ssize_t ReadToShortRead(int fd, char* buffer, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const std::size_t asked = std::min(size - done, kMaxPiece);
        const ssize_t n = ::read(fd, buffer + done, asked);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return -1;
        }
        done += static_cast<std::size_t>(n);
        if (static_cast<std::size_t>(n) < asked) {
            break;
        }
    }
    return static_cast<ssize_t>(done);
}

namespace {

// Hands data to write piece by piece until all is written; an interrupted
// call is made again, and a call that writes nothing counts as a full disk.
template <class Write> bool WriteWhole(std::string_view data, Write write) {
    while (!data.empty()) {
        const ssize_t n = write(data.substr(0, std::min(data.size(), kMaxPiece)));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            if (n == 0) {
                errno = ENOSPC;
            }
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

} // namespace

bool WriteAll(int fd, std::string_view data) {
    return WriteWhole(
        data, [fd](std::string_view piece) { return ::write(fd, piece.data(), piece.size()); });
}

bool WriteAllAt(int fd, std::string_view data, off_t offset) {
    return WriteWhole(data, [fd, &offset](std::string_view piece) {
        const ssize_t n = ::pwrite(fd, piece.data(), piece.size(), offset);
        offset += n > 0 ? n : 0;
        return n;
    });
}

} // namespace glyphwright::posix

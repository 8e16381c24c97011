// The owner of a POSIX file descriptor, and the whole-buffer read and write
// loops that the text file round trip needs. EINTR is retried everywhere.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace glyphwright::posix {

class FileDescriptor {
public:
    FileDescriptor() = default;
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() { Reset(); }
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    FileDescriptor& operator=(FileDescriptor&& other) noexcept;
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    bool Valid() const { return fd_ >= 0; }
    int Get() const { return fd_; }

    // Closes and reports whether the close succeeded: on some file systems a
    // failed close is the first sign that written data did not arrive.
    bool Close();
    void Reset();

private:
    int fd_ = -1;
};

// open(2); invalid with errno set on failure.
FileDescriptor Open(const std::string& path, int flags, mode_t mode = 0);

// Reads until size bytes arrived or a read comes up short, which for a
// regular file is its end: one call for a file smaller than size. Returns
// the count read, or -1 with errno set on a read error.
ssize_t ReadToShortRead(int fd, char* buffer, std::size_t size);

// Stores every byte of data at the current position (or at offset for the
// positioned form); false with errno set when fewer bytes were stored.
bool WriteAll(int fd, std::string_view data);
bool WriteAllAt(int fd, std::string_view data, off_t offset);

} // namespace glyphwright::posix

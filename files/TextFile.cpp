#include "files/TextFile.h"

#include "files/ConvertedContent.h"
#include "files/FileErrors.h"
#include "files/FileReplace.h"
#include "files/LargeText.h"
#include "files/PosixFile.h"

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

// File sizes are signed 32-bit counts in this program; larger files are refused.
constexpr off_t kSizeLimit = off_t{1} << 31;

} // namespace

TextFileReader::TextFileReader(const std::string& path) : path_(path) {
    // O_NONBLOCK: a FIFO opens at once instead of waiting for a writer, and
    // is then refused like any other file that is not a regular file.
    fd_ = posix::Open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    struct stat info {};
    if (!fd_.Valid() || ::fstat(fd_.Get(), &info) != 0) {
        throw OpenError(path, errno);
    }
    if (!S_ISREG(info.st_mode)) {
        throw UnsupportedFileError::NotRegular(path);
    }
    if (info.st_size >= kSizeLimit) {
        throw UnsupportedFileError::TooLarge(path);
    }
    stamp_ = StampOf(info);
}

std::string TextFileReader::LoadBytes() {
    const auto size = static_cast<std::size_t>(stamp_.size);
    // One byte of room more, for the line end that splitting in place may add.
    std::string bytes = MakeLargeText(size + 1);
    bytes.resize(size);
    // A file that delivers fewer bytes than its size, or more, would be written
    // back cut off: both are errors.
    char probe = 0;
    if (posix::ReadUpTo(fd_.Get(), bytes.data(), size) != static_cast<ssize_t>(size) ||
        posix::ReadUpTo(fd_.Get(), &probe, 1) != 0) {
        throw ShortReadError(path_);
    }
    fd_.Reset();

    // The line model ends at the first NUL: such a file is refused whole
    // rather than written back shortened.
    if (bytes.find('\0') != std::string::npos) {
        throw UnsupportedFileError::HoldsNul(path_);
    }
    return bytes;
}

LineList TextFileReader::Load() {
    return SplitLinesInPlace(LoadBytes());
}

std::string LoadFileBytes(const std::string& path) {
    return TextFileReader(path).LoadBytes();
}

LineList LoadTextFile(const std::string& path) {
    return SplitLinesInPlace(LoadFileBytes(path));
}

void SaveTextFile(const LineList& lines, const std::string& path) {
    ReplaceFileContent(path, JoinedContent(lines));
}

std::string BackupPath(const std::string& path) {
    return path + "._backup_";
}

} // namespace glyphwright

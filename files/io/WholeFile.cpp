#include "files/io/WholeFile.h"

#include "files/io/LargeText.h"
#include "files/io/PosixFile.h"

namespace glyphwright {

WholeRead ReadWhole(int fd, off_t size, std::string& bytes, std::size_t spare) {
    if (size < 0 || size >= kWholeFileLimit) {
        return WholeRead::TooLarge;
    }
    const auto expected = static_cast<std::size_t>(size);
    // One byte of room more than the size shows a file longer than that in
    // the same read.
    const std::size_t room = expected + (spare > 0 ? spare : 1);
    bytes = MakeLargeText(room);
    if (posix::ReadToShortRead(fd, bytes.data(), expected + 1) != static_cast<ssize_t>(expected)) {
        return WholeRead::Short;
    }
    bytes.resize(expected);
    return WholeRead::Done;
}

} // namespace glyphwright

// Reading an open regular file whole: the one reader behind the text file,
// the restore of a backup and the settings file.
#pragma once

#include <string>
#include <sys/types.h>

namespace glyphwright {

// Files of this size or more are not read: a text grows up to eightfold
// when it is encoded, and its sizes must stay within what a read can count.
inline constexpr off_t kWholeFileLimit = off_t{1} << 31;

enum class WholeRead {
    Done,
    TooLarge, // size is kWholeFileLimit or more; nothing read
    Short,    // fewer bytes or more than size came (errno set on a read error)
};

// Reads the size bytes of the file open at fd, from its current position, into
// bytes, and makes sure no more follow: a file that changed its length while
// it was read would be written back cut off. bytes gets room for spare more
// bytes than it holds, for a caller that adds some in place.
WholeRead ReadWhole(int fd, off_t size, std::string& bytes, std::size_t spare = 0);

} // namespace glyphwright

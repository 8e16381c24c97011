// Reading a text file whole as lines, and writing lines back whole.
#pragma once

#include "files/FileStamp.h"
#include "files/LineList.h"
#include "files/PosixFile.h"

#include <string>

namespace glyphwright {

// A regular file opened for reading, with its stamp taken before any byte of
// it is read: the stamp tells which file the lines came from.
class TextFileReader {
public:
    // Opens the file; never creates anything. Throws OpenError and
    // UnsupportedFileError (2 GiB or more, not a regular file).
    explicit TextFileReader(const std::string& path);

    const FileStamp& Stamp() const { return stamp_; }

    // Reads the file whole, with one read, as it is on disk, and closes it.
    // Throws UnsupportedFileError (NUL byte) or ShortReadError.
    std::string LoadBytes();
    // SplitLines of LoadBytes.
    LineList Load();

private:
    std::string path_;
    posix::FileDescriptor fd_;
    FileStamp stamp_;
};

// TextFileReader(path).LoadBytes().
std::string LoadFileBytes(const std::string& path);

// SplitLines of LoadFileBytes.
LineList LoadTextFile(const std::string& path);

// Replaces the file at path with JoinLines(lines). Throws CreateError when the
// file may not be written (also for a file without write permission bits) and
// WriteError on a short write; after a failure the old file is intact.
void SaveTextFile(const LineList& lines, const std::string& path);

// The path with "._backup_" appended after everything.
std::string BackupPath(const std::string& path);

} // namespace glyphwright

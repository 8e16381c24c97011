// Reading a text file whole, once, from the file that was looked at.
#pragma once

#include "files/io/FileStamp.h"
#include "files/io/PosixFile.h"

#include <string>
#include <sys/stat.h>

namespace glyphwright {

// A regular file opened for reading, with its stamp taken before any byte of
// it is read: the stamp tells which file the lines came from.
class TextFileReader {
public:
    // Opens the file; never creates anything. What stands at the path is
    // looked at first, so that a FIFO, a device or a socket is never opened,
    // and symbolic links are followed only by the rule of TrustedLinks.h.
    // Throws OpenError, LinkRefusedError, UnsupportedFileError (2 GiB or
    // more, not a regular file) and ChangedError (replaced while opened).
    explicit TextFileReader(const std::string& path);

    const FileStamp& Stamp() const { return stamp_; }
    // The open file, for what a copy of it takes over (mode, owner, group,
    // extended attributes). Stays open until the reader goes.
    int Fd() const { return fd_.Get(); }
    const struct stat& Info() const { return info_; }

    // Reads the file whole, with one read, as it is on disk. Throws
    // UnsupportedFileError (NUL byte) or ShortReadError.
    std::string LoadBytes();
    // Throws BusyError when another program has the file open for writing,
    // as far as the kernel grants this process a lease to tell. Asked once a
    // file is known to be written: a file left as it is needs no lease.
    void RefuseIfBeingWritten();

private:
    std::string path_;
    posix::FileDescriptor fd_;
    struct stat info_ {};
    FileStamp stamp_;
};

// TextFileReader(path).LoadBytes(), refused if being written.
std::string LoadFileBytes(const std::string& path);

// The path with "._backup_" appended after everything.
std::string BackupPath(const std::string& path);

} // namespace glyphwright

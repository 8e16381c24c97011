// The one way this program names and cleans up a file that is being written
// before it takes the place of another: hidden, beside its target, removed
// again on every way out unless it was renamed into place.
#pragma once

#include "files/io/PosixFile.h"

#include <string>
#include <sys/types.h>

namespace glyphwright {

// The folder part of path: "." when it has none, "/" for a file in the root.
std::string FolderOf(const std::string& path);

class TempFile {
public:
    // Creates ".NAME.gw~XXXXXXXX" in the folder of target with the given
    // mode (less the umask). Invalid, with errno set, when the folder takes
    // no new file.
    TempFile(const std::string& target, mode_t mode);
    ~TempFile() { Discard(); }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    bool Valid() const { return fd_.Valid(); }
    int Fd() const { return fd_.Get(); }
    // Closes, reporting a failed close (errno set).
    bool Close() { return fd_.Close(); }

    // Renames the file over target; afterwards nothing is removed. False
    // with errno set when the rename fails.
    bool RenameTo(const std::string& target);

    // Closes and removes the file, if it is still there.
    void Discard();

private:
    posix::FileDescriptor fd_;
    std::string path_;
};

// Makes the names in folder durable (fsync of the folder); false with errno
// set when it cannot.
bool SyncFolder(const std::string& folder);

} // namespace glyphwright

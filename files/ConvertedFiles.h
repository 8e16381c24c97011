// The files a run has taken on, by device and inode, so that each file is
// converted once however often it is listed and by whatever name (the same
// path twice, hard links, a link and its target). Belongs to one run; safe to
// share between the threads of that run.
#pragma once

#include "files/FileStamp.h"

#include <mutex>
#include <set>

namespace glyphwright {

class ConvertedFiles {
public:
    // Takes the file on; false when the run has taken it on already.
    bool Claim(const FileId& id);
    // Gives a file back whose conversion failed, so that a later entry tries again.
    void Release(const FileId& id);
    // The file was converted and now stands as replacement. When the
    // replaced file lost its last name, its id is let go: the kernel may
    // give that number to a file made later in the run.
    void Replaced(const FileId& claimed, const FileId& replacement, bool claimedIsGone);

private:
    std::mutex mutex_;
    std::set<FileId> ids_;
};

} // namespace glyphwright

// The files a run has taken on, by device and inode, so that each file is
// converted once however often it is listed and by whatever name (the same
// path twice, hard links, a link and its target). Belongs to one run; safe to
// share between the threads of that run.
#pragma once

#include "files/io/FileStamp.h"

#include <cstdint>
#include <mutex>
#include <optional>
#include <unordered_map>

namespace glyphwright {

class FileClaims {
public:
    // Says which claim a record belongs to. Between one worker's rename and
    // its word about it, the old file's freed number may already stand for
    // another worker's new file; the ticket keeps the late word from
    // erasing that one's record.
    using Ticket = std::uint64_t;

    // Takes the file on; nothing when the run has taken it on already.
    std::optional<Ticket> Claim(const FileId& id);
    // Gives a file back whose conversion failed, so that a later entry tries again.
    void Release(const FileId& id, Ticket ticket);
    // The file was converted and now stands as replacement. When the
    // replaced file lost its last name, its id is let go: the kernel may
    // give that number to a file made later in the run.
    void Replaced(const FileId& claimed, Ticket ticket, const FileId& replacement,
                  bool claimedIsGone);

private:
    static constexpr Ticket kConverted = 0; // a converted file, held by no claim

    void LetGo(const FileId& id, Ticket ticket); // under mutex_

    std::mutex mutex_;
    std::unordered_map<FileId, Ticket, FileIdHash> ids_;
    Ticket lastTicket_ = kConverted;
};

} // namespace glyphwright

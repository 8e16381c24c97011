// What went wrong with one file, kept as data: the step that failed, the path
// and the system's error number. The core has no words for it: each front end
// words it where it is shown (cli/FailureText.h, ui/FailureText.h), so that
// no caller has to pick the cause out of a message.
#pragma once

#include <cstddef>
#include <string>

namespace glyphwright {

enum class FailureKind {
    Open,        // the file cannot be opened for reading
    Create,      // the new file (or the backup) cannot be made, or may not be written
    Write,       // fewer bytes stored than the text holds
    Changed,     // another program changed the file between its load and its replacement
    HoldsNul,    // the line model would cut the file at its NUL byte
    TooLarge,    // 2 GiB or more
    NotRegular,  // a folder, a FIFO, a device, a socket; type tells which
    ShortRead,   // the read disagreed with the file's size
    NotUtf8,     // taken as UTF-8 but not valid UTF-8; line and offset tell where
    OutOfMemory, // memory ran out while the file was converted
    Stopped,     // the run was asked to stop before the file was replaced
    ForeignLink, // a symbolic link of another user to what is not theirs; path names the link
    Busy,        // another program holds the file open for writing
    // A restore: the backup at path is not put back, or put back and kept.
    BackupIsLink,     // a symbolic link, which is never followed
    BackupNotRegular, // a folder, a FIFO, a device or a socket
    BackupReplaced,   // another file took its name while it was put back; that one stays
    BackupNotRemoved, // put back, but the removal failed; error tells why
    // An error the core does not know (a hook's, the library's): detail is its
    // what(), empty when it has none.
    Other,
};

struct FileFailure {
    FailureKind kind = FailureKind::Other;
    std::string path;
    int error = 0;      // errno of the call that failed; 0 when no call failed
    std::string detail; // Other only
    // Create: the file's mode has no write permission bit, which refuses
    // root, whom the kernel would let write, as anyone else.
    bool readOnly = false;
    // NotRegular: the file type bits of what stands at the path (S_IFIFO ...).
    unsigned type = 0;
    // NotUtf8: the line (from 1) and the byte offset (from 0) of the first
    // byte that is not UTF-8.
    std::size_t line = 0;
    std::size_t offset = 0;

    bool operator==(const FileFailure&) const = default;
};

// The failure in plain English, for logs, test output and what(); never
// shown to a person.
std::string DebugText(const FileFailure& failure);

} // namespace glyphwright

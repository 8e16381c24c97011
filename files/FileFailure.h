// What went wrong with one file, kept as data: the step that failed, the path
// and the system's error number. It becomes German text only where it is
// shown, so that no caller has to pick the cause out of a message.
#pragma once

#include <string>

namespace glyphwright {

enum class FailureKind {
    Open,        // "Datei %s kann nicht geöffnet werden"
    Create,      // "Datei %s kann nicht erstellt werden"
    Write,       // "Stream-Write-Fehler": fewer bytes stored than the text holds
    Changed,     // another program changed the file between its load and its replacement
    HoldsNul,    // the line model would cut the file at its NUL byte
    TooLarge,    // 2 GiB or more
    NotRegular,  // a folder, a FIFO, a device, a socket; type tells which
    ShortRead,   // the read disagreed with the file's size
    Refused,     // refused for a reason of the caller's; detail is the whole message
    OutOfMemory, // memory ran out while the file was converted
    Stopped,     // the run was asked to stop before the file was replaced
    ForeignLink, // a symbolic link of another user to what is not theirs; path names the link
    Busy,        // another program holds the file open for writing
    Other,       // an unexpected error; detail is its message
};

struct FileFailure {
    FailureKind kind = FailureKind::Other;
    std::string path;
    int error = 0;      // errno of the call that failed; 0 when no call failed
    std::string detail; // Refused and Other only
    // Refused because the file's mode has no write permission bit; for root,
    // whom the kernel would let write, as for anyone else.
    bool readOnly = false;
    // NotRegular: the file type bits of what stands at the path (S_IFIFO ...).
    unsigned type = 0;
};

// The error's own message, as the program has always worded it, without the cause.
std::string MessageOf(const FileFailure& failure);

// One line of a failure report: the message, with the path in front where the
// message does not name it, and ": " and the cause after it when a call
// failed or the file is read-only.
std::string FailureLine(const FileFailure& failure);

// German words for the usual error numbers; the system's text for the rest.
std::string CauseText(int error);

} // namespace glyphwright

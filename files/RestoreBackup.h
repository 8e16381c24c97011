// Putting a backup back: the file gets the backup's content through the same
// safe replace as a conversion, then the backup goes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace glyphwright {

// The file a backup belongs to: the path without its trailing "._backup_";
// nothing when the path does not end in it or is nothing but it.
std::optional<std::string> BackedUpPath(std::string_view backup);

struct RestoreOutcome {
    bool restored = false; // the file now holds the backup's content
    std::string message;   // why not, or why the backup is still there; empty when all went well
};

// Reads backup, which must be a regular file and not a symbolic link, whole,
// makes target hold exactly its bytes (creating it when missing) and then
// removes the backup, unless keep or unless the backup was replaced meanwhile.
// Every error is caught and returned as the outcome (a message that names no
// file is about target); keeps no state between calls.
RestoreOutcome RestoreBackup(const std::string& backup, const std::string& target, bool keep);

} // namespace glyphwright

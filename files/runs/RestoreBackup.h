// Putting a backup back: the file gets the backup's content through the same
// safe replace as a conversion, then the backup goes.
#pragma once

#include "files/io/FileFailure.h"

#include <optional>
#include <string>
#include <string_view>

namespace glyphwright {

class StopFlag;

// The file a backup belongs to: the path without its trailing "._backup_";
// nothing when the path does not end in it or is nothing but it.
std::optional<std::string> BackedUpPath(std::string_view backup);

struct RestoreOptions {
    bool keep = false;              // leave the backup where it is
    bool sync = false;              // the restored file durable before it takes its name
    const StopFlag* stop = nullptr; // a stop just before the replacement leaves the file as it was
};

struct RestoreOutcome {
    bool restored = false; // the file now holds the backup's content
    // Why not, or why the backup is still there; none when all went well.
    std::optional<FileFailure> failure;
};

// Reads backup, which must be a regular file and not a symbolic link, whole,
// makes target hold exactly its bytes through the replace of a conversion
// (creating it when missing) and then removes the backup, unless kept or
// unless another file took its name meanwhile. Every error is caught and
// returned as the outcome; keeps no state between calls.
RestoreOutcome RestoreBackup(const std::string& backup, const std::string& target,
                             const RestoreOptions& options = {});

} // namespace glyphwright

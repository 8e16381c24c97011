// The one way this program replaces a file's content, for converted files,
// backups and the settings file alike: a failure at any point leaves the old
// file as it was and no temporary file behind.
#pragma once

#include "files/io/FileContent.h"
#include "files/io/FileStamp.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <sys/stat.h>

namespace glyphwright {

class StopFlag;

struct ReplaceOptions {
    enum class Links {
        // A symbolic link stays a link; the file it finally names is replaced.
        // A link that names nothing is refused rather than followed to a new file.
        Follow,
        // Whatever stands at the path that is not a folder (a link, dangling or
        // not, or one of several hard links) is replaced as a name by the new
        // file; nothing it points to is written or created. For backups.
        Replace,
    };
    Links links = Links::Follow;
    // The file that the new content is a copy of (a backup's file, a backup
    // put back). A file made new at the path then takes its permission bits
    // without set-id bits, its group and owner where this process may give
    // them (a group it may not give takes the group bits away), and its
    // extended attributes; until then it is private (0600). With
    // Links::Replace the content always goes into a new file.
    struct Original {
        int fd = -1;
        struct stat info {};
    };
    std::optional<Original> copyOf;
    // When set, the file at the path must still be this one, unchanged, just
    // before it is replaced; otherwise it is left alone (ChangedError).
    std::optional<FileStamp> expected;
    // With expected: a descriptor of that file as it was read. It stands in
    // for a second open of the file, for its attributes and for the look
    // after the rename.
    int readFd = -1;
    // Makes the new content durable (fsync) before it takes the name.
    bool sync = false;
    // Looked at just before the replacement; when a stop is requested the old
    // file stays (StoppedError). May be null.
    const StopFlag* stop = nullptr;
    // For tests: runs after the new content is written, just before the
    // last check and the replacement, with the path of the file replaced.
    std::function<void(const std::string& target)> beforeReplace;
};

struct Replaced {
    FileStamp stamp;            // of the file that now holds the content
    std::string folder;         // where a new name was made; empty when written in place
    std::optional<FileId> gone; // the replaced file, when its last name went with it
};

// Makes the file at path hold exactly content; creates it when missing.
// A symbolic link is followed only by the rule of TrustedLinks.h, in any
// part of the path (LinkRefusedError).
//
// An existing file is replaced by a temporary file written beside it and
// renamed over it, taking over its owner and group, extended attributes and
// permission bits. A file with more than one hard link, one in a folder that
// takes no new file, and one whose owner and group a new file could not get
// are written in place instead, after the room they need is reserved.
//
// Throws CreateError when the file may not be written (no write permission bit
// in its mode, not a regular file, missing folder, a dangling link followed),
// WriteError when fewer bytes than content holds could be stored, and
// ChangedError and StoppedError as said above; each carries the errno. With
// expected set, the old file is looked at once more after the rename: when
// it grew or was written since (a writer that kept it open), ChangedError
// says that those late bytes are not in the new file.
Replaced ReplaceFileContent(const std::string& path, std::string_view content,
                            const ReplaceOptions& options = {});

// The same with content handed over piece by piece, so that it never stands
// whole in memory. Content that throws leaves the old file as it was.
Replaced ReplaceFileContent(const std::string& path, const FileContent& content,
                            const ReplaceOptions& options = {});

} // namespace glyphwright

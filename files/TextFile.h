// Reading a text file whole as lines, and writing lines back whole.
#pragma once

#include "files/LineList.h"

#include <string>

namespace glyphwright {

// Reads the regular file at path whole, with one read, as it is on disk.
// Throws OpenError, UnsupportedFileError (NUL byte, 2 GiB or more, not a
// regular file) or ShortReadError; never creates anything.
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

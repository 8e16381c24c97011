// Reading and writing the settings file as a whole. A write never leaves the
// file half-written: it goes through the program's one file replacement
// (files/io/FileReplace.h), synced before the rename and the folder after it. A
// refused or failed write leaves the old file as it was and no temporary file
// behind.
#pragma once

#include "files/io/TempFile.h" // FolderOf

#include <stdexcept>
#include <string>
#include <string_view>

namespace glyphwright {

// The settings file cannot be read. what() is English, for a log: the
// outcome of the load is what the front ends word.
class SettingsReadError : public std::runtime_error {
public:
    explicit SettingsReadError(const std::string& path);
};

// The settings file (or a folder above it) cannot be written.
class SettingsWriteError : public std::runtime_error {
public:
    explicit SettingsWriteError(const std::string& path);
};

enum class FilePresence {
    Absent,  // nothing of that name, or something that is not a regular file
    Present, // a regular file, whatever its time stamps
    Unknown, // the name cannot be looked up (a folder on the way denies it)
};

FilePresence ProbeFile(const std::string& path);

// Throws SettingsReadError.
std::string ReadWholeFile(const std::string& path);

// Replaces path's contents by bytes, keeping its permission bits; a new file
// gets the usual 0666 less the umask. Follows a symbolic link to the file it
// names. Refused, with SettingsWriteError, when the folder or the file is not
// writable, judged by access() and by the mode bits (a file or folder without
// any write bit counts as read-only even for root).
void WriteFileAtomically(const std::string& path, std::string_view bytes);

// Whether a write to the folder or file would be allowed, by the rule above.
bool IsWritable(const std::string& path);

// Creates the folder and any missing folders above it with mode 0700.
// Throws SettingsWriteError naming the folder when it cannot.
void CreateFolders(const std::string& folder);

} // namespace glyphwright

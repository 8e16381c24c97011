#include "settings/SettingsFile.h"

#include "files/io/FileErrors.h"
#include "files/io/FileReplace.h"
#include "files/io/PosixFile.h"
#include "files/io/TempFile.h"
#include "files/io/WholeFile.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace glyphwright {

SettingsReadError::SettingsReadError(const std::string& path)
    : std::runtime_error("cannot read " + path) {}

SettingsWriteError::SettingsWriteError(const std::string& path)
    : std::runtime_error("cannot write " + path) {}

FilePresence ProbeFile(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        return S_ISREG(st.st_mode) ? FilePresence::Present : FilePresence::Absent;
    }
    return (errno == ENOENT || errno == ENOTDIR) ? FilePresence::Absent : FilePresence::Unknown;
}

std::string ReadWholeFile(const std::string& path) {
    // Looked at before it is opened: opening a FIFO would release a writer
    // waiting on it. The open must then find the file looked at.
    struct stat looked {};
    if (::stat(path.c_str(), &looked) != 0 || !S_ISREG(looked.st_mode)) {
        throw SettingsReadError(path);
    }
    const posix::FileDescriptor fd =
        posix::Open(path, O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    struct stat st {};
    if (fd.Get() < 0 || ::fstat(fd.Get(), &st) != 0 || st.st_dev != looked.st_dev ||
        st.st_ino != looked.st_ino) {
        throw SettingsReadError(path);
    }
    std::string bytes;
    if (ReadWhole(fd.Get(), st.st_size, bytes) != WholeRead::Done) {
        throw SettingsReadError(path);
    }
    return bytes;
}

bool IsWritable(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || (st.st_mode & 0222) == 0) {
        return false;
    }
    const int wanted = S_ISDIR(st.st_mode) ? (W_OK | X_OK) : W_OK;
    return ::access(path.c_str(), wanted) == 0;
}

void CreateFolders(const std::string& folder) {
    struct stat st {};
    if (::stat(folder.c_str(), &st) == 0) {
        if (!S_ISDIR(st.st_mode)) {
            throw SettingsWriteError(folder);
        }
        return;
    }
    const std::string parent = FolderOf(folder);
    if (parent != folder && parent != ".") {
        CreateFolders(parent);
    }
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        throw SettingsWriteError(folder);
    }
}

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0 && (!S_ISREG(old.st_mode) || !IsWritable(path))) {
        throw SettingsWriteError(path);
    }
    try {
        ReplaceOptions options;
        options.sync = true;
        // Refused like the file itself when the folder is read-only, rather
        // than written in place.
        std::string target = path;
        if (char* resolved = ::realpath(path.c_str(), nullptr)) {
            target = resolved;
            std::free(resolved);
        }
        if (!IsWritable(FolderOf(target))) {
            throw SettingsWriteError(path);
        }
        const Replaced replaced = ReplaceFileContent(path, bytes, options);
        // Makes the rename itself durable; the new contents are complete either way.
        if (!replaced.folder.empty()) {
            SyncFolder(replaced.folder);
        }
    } catch (const FileError&) {
        throw SettingsWriteError(path);
    }
}

} // namespace glyphwright

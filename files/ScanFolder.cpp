#include "files/ScanFolder.h"

#include "files/FileList.h"
#include "files/IsAcceptedFile.h"

#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <set>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace glyphwright {
namespace {

struct CloseDir {
    void operator()(DIR* dir) const { closedir(dir); }
};
using DirHandle = std::unique_ptr<DIR, CloseDir>;

// One open folder of the walk. Sub-folders are opened relative to it, so the
// path text may grow past PATH_MAX without the walk failing.
struct OpenFolder {
    DirHandle dir;
    std::string base;
};

using FolderId = std::pair<dev_t, ino_t>;

bool IsDotOrDotDot(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

// Whether an entry is a folder, following symbolic links. d_type answers for
// most file systems; links and file systems that leave it unknown need a stat.
bool IsFolderEntry(int parentFd, const dirent& entry) {
    if (entry.d_type == DT_DIR) {
        return true;
    }
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN) {
        return false;
    }
    struct stat info {};
    return fstatat(parentFd, entry.d_name, &info, 0) == 0 && S_ISDIR(info.st_mode);
}

// Opens a folder (at, relative to parentFd) for reading, once per walk.
// Returns null when it cannot be opened or was entered before.
DirHandle OpenFolderOnce(int parentFd, const char* path, std::set<FolderId>& entered) {
    const int fd = openat(parentFd, path, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return nullptr;
    }
    struct stat info {};
    if (fstat(fd, &info) != 0 || !entered.insert({info.st_dev, info.st_ino}).second) {
        close(fd);
        return nullptr;
    }
    DIR* dir = fdopendir(fd);
    if (dir == nullptr) {
        close(fd);
    }
    return DirHandle(dir);
}

} // namespace

std::string StripTrailingBackslash(std::string_view path) {
    if (!path.empty() && path.back() == '/') {
        path.remove_suffix(1);
    }
    return std::string(path);
}

void ScanFolder(std::string_view folder, const ExtensionList& extensions, FileList& files,
                const std::function<void()>& pause) {
    std::set<FolderId> entered;
    std::vector<OpenFolder> walk;
    {
        DirHandle root = OpenFolderOnce(AT_FDCWD, std::string(folder).c_str(), entered);
        if (!root) {
            return;
        }
        walk.push_back({std::move(root), StripTrailingBackslash(folder)});
    }
    // Depth-first with an explicit stack: a sub-folder is walked to its end
    // before the next entry of its parent is read, and no depth can exhaust
    // the call stack.
    while (!walk.empty()) {
        OpenFolder& current = walk.back();
        const dirent* entry = readdir(current.dir.get());
        if (entry == nullptr) {
            // The end of the folder, or a read error: what was appended stays.
            walk.pop_back();
            continue;
        }
        if (IsDotOrDotDot(entry->d_name)) {
            continue;
        }
        const int currentFd = dirfd(current.dir.get());
        if (IsFolderEntry(currentFd, *entry)) {
            DirHandle sub = OpenFolderOnce(currentFd, entry->d_name, entered);
            if (sub) {
                std::string path = current.base + '/' + entry->d_name;
                walk.push_back({std::move(sub), std::move(path)});
            }
        } else if (IsAcceptedFile(entry->d_name, extensions)) {
            files.Append(current.base + '/' + entry->d_name);
        }
        if (pause) {
            pause();
        }
    }
}

} // namespace glyphwright

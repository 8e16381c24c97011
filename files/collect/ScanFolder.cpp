#include "files/collect/ScanFolder.h"

#include "files/collect/FileList.h"
#include "files/collect/IsAcceptedFile.h"
#include "files/io/FileErrors.h"
#include "files/io/TrustedLinks.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <optional>
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

using FolderId = std::pair<dev_t, ino_t>;

// How many folders of the walk stay open at once. Below that depth the
// shallowest are closed, and opened again when the walk comes back up to
// them, so that a tree of any depth is walked within a few descriptors.
constexpr std::size_t kMaxOpenFolders = 16;

bool IsDotOrDotDot(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

bool OutOfDescriptors() {
    return errno == EMFILE || errno == ENFILE;
}

// A folder entry to walk into; a symbolic link to a folder only when it may
// be followed (TrustedLinks.h).
struct FolderEntry {
    bool folder = false;
    bool link = false;
    FolderId target{}; // where the link leads, which its open must find
};

// d_type answers for most file systems; links and file systems that leave
// it unknown need a stat.
FolderEntry LookAtEntry(int parentFd, const dirent& entry) {
    if (entry.d_type == DT_DIR) {
        return {true};
    }
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN) {
        return {};
    }
    struct stat info {};
    if (fstatat(parentFd, entry.d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) {
        return {};
    }
    if (!S_ISLNK(info.st_mode)) {
        return {S_ISDIR(info.st_mode)};
    }
    struct stat target {};
    if (fstatat(parentFd, entry.d_name, &target, 0) != 0 || !S_ISDIR(target.st_mode) ||
        !MayFollowLink(info, target)) {
        return {};
    }
    return {true, true, {target.st_dev, target.st_ino}};
}

// A folder that was no link when looked at is opened as no link, so that a
// link put in its place meanwhile is not followed.
int OpenFolderFd(int parentFd, const char* name, bool follow = true) {
    return openat(parentFd, name, O_RDONLY | O_DIRECTORY | O_CLOEXEC | (follow ? 0 : O_NOFOLLOW));
}

std::optional<FolderId> IdOf(int fd) {
    struct stat info {};
    if (fstat(fd, &info) != 0) {
        return std::nullopt;
    }
    return FolderId{info.st_dev, info.st_ino};
}

// One folder of the walk. Sub-folders are opened relative to it, so the path
// text may grow past PATH_MAX without the walk failing.
struct Level {
    DirHandle dir; // null while closed to spare a descriptor
    std::string base;
    std::string name; // in its parent; the dropped path for the first level
    FolderId id;
    long position = 0; // where reading goes on once it is opened again
};

// The open folders from the dropped one down to the current one. Only the
// shallowest levels are ever closed, so the open ones are always the deepest.
class FolderStack {
public:
    explicit FolderStack(std::set<FolderId>& entered) : entered_(entered) {}

    bool Empty() const { return levels_.empty(); }
    Level& Current() { return levels_.back(); }

    // Opens the folder name (inside the current one, or the dropped path
    // when there is none) and makes it current. False when it cannot be
    // opened or was entered before in this walk. An entry that was a link
    // when looked at must lead to the same folder still.
    bool Enter(const char* name, std::string base, const FolderEntry& entry = {true, true}) {
        const int parentFd = levels_.empty() ? AT_FDCWD : dirfd(Current().dir.get());
        if (open_ >= kMaxOpenFolders) {
            CloseShallowest();
        }
        int fd = OpenFolderFd(parentFd, name, entry.link);
        while (fd < 0 && OutOfDescriptors() && CloseShallowest()) {
            fd = OpenFolderFd(parentFd, name, entry.link);
        }
        if (fd < 0) {
            return false; // unreadable, gone, or no descriptor left at all
        }
        std::optional<FolderId> id = IdOf(fd);
        if (id && !levels_.empty() && entry.link && *id != entry.target) {
            id.reset();
        }
        DIR* dir = id && entered_.insert(*id).second ? fdopendir(fd) : nullptr;
        if (dir == nullptr) {
            close(fd);
            return false;
        }
        levels_.push_back({DirHandle(dir), std::move(base), name, *id});
        ++open_;
        return true;
    }

    // Leaves the current folder. Its parent, when closed, is opened again
    // through "..", which is the parent unless a link led here.
    void Leave() {
        Level& done = Current();
        if (levels_.size() >= 2 && !levels_[levels_.size() - 2].dir) {
            const int fd = OpenFolderFd(dirfd(done.dir.get()), "..");
            if (fd >= 0) {
                Resume(levels_[levels_.size() - 2], fd);
            }
        }
        levels_.pop_back();
        --open_;
    }

    // Makes sure the current folder is open, reopening it by its names from
    // the dropped path when it was closed. False when that fails (it was
    // moved or removed meanwhile); then the walk leaves it.
    bool ReopenCurrent() {
        Level& current = Current();
        if (current.dir) {
            return true;
        }
        int fd = AT_FDCWD;
        for (const Level& level : levels_) {
            const int next = OpenFolderFd(fd, level.name.c_str());
            if (fd != AT_FDCWD) {
                close(fd);
            }
            if (next < 0) {
                levels_.pop_back();
                return false;
            }
            fd = next;
        }
        if (!Resume(current, fd)) {
            levels_.pop_back();
            return false;
        }
        return true;
    }

private:
    // Closes the shallowest open level other than the current one, keeping
    // its position. False when there is none.
    bool CloseShallowest() {
        for (std::size_t i = 0; i + 1 < levels_.size(); ++i) {
            Level& level = levels_[i];
            if (level.dir) {
                level.position = telldir(level.dir.get());
                level.dir.reset();
                --open_;
                return true;
            }
        }
        return false;
    }

    // Takes fd as the folder of level when it is still that folder, and goes
    // on reading where the level stopped. On Linux the position is the file
    // system's own directory offset, which any open of the folder accepts.
    bool Resume(Level& level, int fd) {
        DIR* dir = IdOf(fd) == std::optional<FolderId>(level.id) ? fdopendir(fd) : nullptr;
        if (dir == nullptr) {
            close(fd);
            return false;
        }
        seekdir(dir, level.position);
        level.dir.reset(dir);
        ++open_;
        return true;
    }

    std::set<FolderId>& entered_;
    std::vector<Level> levels_;
    std::size_t open_ = 0;
};

} // namespace

std::string StripTrailingBackslash(std::string_view path) {
    if (!path.empty() && path.back() == '/') {
        path.remove_suffix(1);
    }
    return std::string(path);
}

void ScanFolder(std::string_view folder, const ExtensionList& extensions, FileList& files,
                const std::function<void()>& pause,
                const std::function<void(const std::string&)>& refused) {
    std::set<FolderId> entered;
    FolderStack walk(entered);
    // The dropped folder itself is reached through links only by the rule.
    std::string start;
    try {
        start = ResolveTrustedLinks(std::string(folder));
    } catch (const FileError&) {
        return;
    }
    if (!walk.Enter(start.c_str(), StripTrailingBackslash(folder))) {
        return;
    }
    // Depth-first with an explicit stack: a sub-folder is walked to its end
    // before the next entry of its parent is read, and no depth can exhaust
    // the call stack.
    while (!walk.Empty()) {
        if (!walk.ReopenCurrent()) {
            continue;
        }
        Level& current = walk.Current();
        const dirent* entry = readdir(current.dir.get());
        if (entry == nullptr) {
            // The end of the folder, or a read error: what was appended stays.
            walk.Leave();
            continue;
        }
        if (IsDotOrDotDot(entry->d_name)) {
            continue;
        }
        if (const FolderEntry folderEntry = LookAtEntry(dirfd(current.dir.get()), *entry);
            folderEntry.folder) {
            walk.Enter(entry->d_name, current.base + '/' + entry->d_name, folderEntry);
        } else if (IsAcceptedFile(entry->d_name, extensions)) {
            files.Append(current.base + '/' + entry->d_name);
        } else if (refused) {
            refused(current.base + '/' + entry->d_name);
        }
        if (pause) {
            pause();
        }
    }
}

} // namespace glyphwright

// Which file a path named when it was read, and in what state: its device and
// inode, and its size and modification time, which change with every write.
#pragma once

#include <compare>
#include <cstddef>
#include <ctime>
#include <functional>
#include <sys/stat.h>
#include <sys/types.h>

namespace glyphwright {

struct FileId {
    dev_t device = 0;
    ino_t inode = 0;
    auto operator<=>(const FileId&) const = default;
};

// For hashed containers of files.
struct FileIdHash {
    std::size_t operator()(const FileId& id) const noexcept {
        return std::hash<ino_t>{}(id.inode) * 31 + std::hash<dev_t>{}(id.device);
    }
};

struct FileStamp {
    FileId id;
    off_t size = 0;
    timespec modified{};
};

inline FileStamp StampOf(const struct stat& info) {
    return {{info.st_dev, info.st_ino}, info.st_size, info.st_mtim};
}

// Still the same file, unchanged since the stamp was taken.
inline bool Unchanged(const FileStamp& then, const FileStamp& now) {
    return then.id == now.id && then.size == now.size &&
           then.modified.tv_sec == now.modified.tv_sec &&
           then.modified.tv_nsec == now.modified.tv_nsec;
}

} // namespace glyphwright

#include "files/SharedFiles.h"

#include "files/TextFile.h"

#include <sys/stat.h>

namespace glyphwright {

void SharedFiles::Note(std::optional<std::size_t>& last, std::optional<std::size_t> found) {
    if (found && (!last || *found > *last)) {
        last = found;
    }
}

std::optional<std::size_t> SharedFiles::Reach(std::size_t entry, const std::string& path) {
    std::optional<std::size_t> last;
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) {
        auto [at, isNew] = files_.try_emplace(FileId{info.st_dev, info.st_ino}, entry);
        if (!isNew) {
            Note(last, at->second);
            at->second = entry;
        }
    }
    // The same name spelt alike: a file named twice that is missing now, or
    // a file that is another entry's backup.
    for (std::string name : {path, BackupPath(path)}) {
        auto [at, isNew] = names_.try_emplace(std::move(name), entry);
        if (!isNew) {
            Note(last, at->second);
            at->second = entry;
        }
    }
    return last;
}

std::vector<std::optional<std::size_t>>
TurnsOf(std::size_t count, const std::function<const std::string&(std::size_t)>& pathOf) {
    SharedFiles shared;
    std::vector<std::optional<std::size_t>> after(count);
    for (std::size_t entry = 0; entry < count; ++entry) {
        after[entry] = shared.Reach(entry, pathOf(entry));
    }
    return after;
}

} // namespace glyphwright

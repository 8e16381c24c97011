#include "files/runs/SameFileTurns.h"

#include "files/io/FileStamp.h"
#include "files/io/PosixFile.h"
#include "files/io/TextFile.h"
#include "files/runs/RestoreBackup.h"

#include <algorithm>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <system_error>
#include <thread>
#include <unordered_map>

namespace glyphwright {

namespace {

// The last entry noted under each key; notes the entry and says which came before.
template <class Key, class Hash> class LastEntries {
public:
    explicit LastEntries(std::size_t count) { last_.reserve(count); }

    void Note(Key key, std::size_t entry, std::optional<std::size_t>& before) {
        const auto [at, isNew] = last_.try_emplace(std::move(key), entry);
        if (!isNew) {
            before = std::max(before.value_or(0), at->second);
            at->second = entry;
        }
    }

private:
    std::unordered_map<Key, std::size_t, Hash> last_;
};

// Looks files up by their name in their folder, which stays open while the
// paths stay in it (as a walk lists them), so that the kernel walks each
// folder's path once and not once per file. Links are followed.
class FolderLookUp {
public:
    std::optional<FileId> IdOf(const std::string& path) {
        struct stat info {};
        const std::size_t slash = path.rfind('/');
        if (slash != std::string::npos && slash + 1 < path.size()) {
            const std::string_view folder(path.data(), slash == 0 ? 1 : slash);
            if (folder != folder_) {
                folder_ = folder;
                fd_ = posix::Open(folder_, O_PATH | O_DIRECTORY | O_CLOEXEC);
            }
            if (fd_.Valid()) {
                if (::fstatat(fd_.Get(), path.c_str() + slash + 1, &info, 0) != 0) {
                    return std::nullopt;
                }
                return FileId{info.st_dev, info.st_ino};
            }
        }
        if (::stat(path.c_str(), &info) != 0) {
            return std::nullopt;
        }
        return FileId{info.st_dev, info.st_ino};
    }

private:
    std::string folder_;
    posix::FileDescriptor fd_;
};

// Most of the time goes to the kernel, so the workers share the paths out in
// blocks of neighbours.
std::vector<std::optional<FileId>>
IdsOf(std::size_t count, const std::function<const std::string&(std::size_t)>& pathOf,
      std::size_t workers) {
    std::vector<std::optional<FileId>> ids(count);
    // At least one entry a block, also for no entries or no workers, or the
    // blocks below would never get past the first.
    const std::size_t shares = std::max<std::size_t>(workers, 1);
    const std::size_t block = std::max<std::size_t>((count + shares - 1) / shares, 1);
    const auto lookUp = [&](std::size_t first) {
        FolderLookUp files;
        for (std::size_t entry = first; entry < std::min(count, first + block); ++entry) {
            ids[entry] = files.IdOf(pathOf(entry));
        }
    };
    std::vector<std::jthread> threads;
    std::size_t first = block; // the calling thread takes the first block
    for (; first < count; first += block) {
        try {
            threads.emplace_back(lookUp, first);
        } catch (const std::system_error&) {
            break;
        }
    }
    lookUp(0);
    for (; first < count; first += block) {
        lookUp(first); // those no thread could be made for
    }
    threads.clear(); // joins them
    return ids;
}

} // namespace

std::vector<std::optional<std::size_t>>
TurnsOf(std::size_t count, const std::function<const std::string&(std::size_t)>& pathOf,
        std::size_t workers) {
    const std::vector<std::optional<FileId>> ids = IdsOf(count, pathOf, workers);
    std::vector<std::optional<std::size_t>> after(count);
    LastEntries<FileId, FileIdHash> files(count);
    for (std::size_t entry = 0; entry < count; ++entry) {
        if (ids[entry]) {
            files.Note(*ids[entry], entry, after[entry]);
        }
    }
    // One entry's name is another's backup name only if one of them names a
    // backup; mostly none does, and the names need not be kept at all.
    const bool anyBackup = [&] {
        for (std::size_t entry = 0; entry < count; ++entry) {
            if (BackedUpPath(pathOf(entry))) {
                return true;
            }
        }
        return false;
    }();
    if (anyBackup) {
        LastEntries<std::string, std::hash<std::string>> names(2 * count);
        for (std::size_t entry = 0; entry < count; ++entry) {
            const std::string& path = pathOf(entry);
            names.Note(path, entry, after[entry]);
            names.Note(BackupPath(path), entry, after[entry]);
        }
    }
    return after;
}

} // namespace glyphwright

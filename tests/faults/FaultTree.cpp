#include "tests/faults/FaultTree.h"

#include "entities/Unit_HtmlUmlaute.h"
#include "files/text/LineList.h"
#include "tests/files/FileTesting.h"
#include "tests/files/LineFiles.h"

#include <dirent.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace glyphwright::faults {

namespace {

constexpr const char* kBackupSuffix = "._backup_";

void Walk(const std::string& folder, const std::string& relative,
          std::vector<std::pair<std::string, struct stat>>& found) {
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) {
        return;
    }
    std::vector<std::string> names;
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") {
            names.push_back(name);
        }
    }
    closedir(dir);
    for (const std::string& name : names) {
        const std::string path = folder + "/" + name;
        struct stat info {};
        if (lstat(path.c_str(), &info) != 0) {
            continue;
        }
        const std::string rel = relative.empty() ? name : relative + "/" + name;
        found.emplace_back(rel, info);
        if (S_ISDIR(info.st_mode)) {
            Walk(path, rel, found);
        }
    }
}

} // namespace

std::string MakePage(std::mt19937& random, std::size_t size, int denseness) {
    static constexpr char kHigh[] = "\xE4\xF6\xFC\xDF\xC4\xD6\xDC\xE9\xA9\xBD";
    static constexpr char kPlain[] = "abcdefghijklmnopqrstuvwxyz <>/=&;\"";
    std::string page;
    page.reserve(size);
    while (page.size() < size) {
        const unsigned roll = random() % 64;
        if (roll == 0) {
            page += '\n';
        } else if (static_cast<int>(roll % static_cast<unsigned>(denseness)) == 1) {
            page += kHigh[random() % (sizeof kHigh - 1)];
        } else {
            page += kPlain[random() % (sizeof kPlain - 1)];
        }
    }
    return page;
}

Expected ExpectedOf(std::string old) {
    Expected expected;
    expected.backup = testing::JoinLines(SplitLines(old));
    expected.converted = EncodeUmlauts(expected.backup);
    expected.old = std::move(old);
    return expected;
}

FaultTree::FaultTree(std::string root, std::mt19937& random, std::size_t files, std::size_t folders,
                     std::size_t minSize, std::size_t maxSize, int denseness)
    : root_(std::move(root)) {
    for (std::size_t f = 0; f < folders; ++f) {
        const std::string folder = root_ + "/s" + std::to_string(f);
        if (mkdir(folder.c_str(), 0755) != 0) {
            throw std::runtime_error("mkdir failed: " + folder);
        }
    }
    for (std::size_t i = 0; i < files; ++i) {
        const std::string relative =
            "s" + std::to_string(i % folders) + "/f" + std::to_string(i) + ".htm";
        const std::size_t size = minSize + random() % (maxSize - minSize + 1);
        Expected expected = ExpectedOf(MakePage(random, size, denseness));
        testing::WriteBytes(root_ + "/" + relative, expected.old);
        files_.emplace(relative, std::move(expected));
    }
}

FaultTree::State FaultTree::Check(bool backups) const {
    State state;
    std::vector<std::pair<std::string, struct stat>> found;
    Walk(root_, "", found);
    std::map<std::string, bool> seen;
    for (const auto& [relative, info] : found) {
        if (S_ISDIR(info.st_mode)) {
            continue;
        }
        const std::string name = relative.substr(relative.rfind('/') + 1);
        const std::string bytes = testing::ReadBytes(root_ + "/" + relative).value_or("?");
        if (const auto file = files_.find(relative); file != files_.end()) {
            seen[relative] = true;
            if (bytes == file->second.converted) {
                ++state.converted;
            } else if (bytes == file->second.old) {
                ++state.untouched;
            } else {
                state.faults.push_back(relative + ": neither old nor converted content");
            }
            continue;
        }
        if (relative.ends_with(kBackupSuffix)) {
            const std::string of = relative.substr(0, relative.size() - 9);
            const auto file = files_.find(of);
            if (file == files_.end() || !S_ISREG(info.st_mode) || bytes != file->second.backup) {
                state.faults.push_back(relative + ": not a complete backup");
            }
            continue;
        }
        if (IsTemporaryName(name)) {
            ++state.leftovers;
            continue;
        }
        state.faults.push_back(relative + ": not expected in the tree");
    }
    for (const auto& [relative, expected] : files_) {
        if (!seen.contains(relative)) {
            state.faults.push_back(relative + ": gone");
            continue;
        }
        if (backups && testing::ReadBytes(root_ + "/" + relative) == expected.converted &&
            testing::ReadBytes(root_ + "/" + relative + kBackupSuffix) != expected.backup) {
            state.faults.push_back(relative + ": converted without its backup");
        }
    }
    return state;
}

std::map<std::string, std::string> Fingerprint(const std::string& folder) {
    std::vector<std::pair<std::string, struct stat>> found;
    Walk(folder, "", found);
    std::map<std::string, std::string> prints;
    for (const auto& [relative, info] : found) {
        std::string print = std::to_string(info.st_ino) + " " + std::to_string(info.st_mode) + " " +
                            std::to_string(info.st_mtim.tv_sec) + "." +
                            std::to_string(info.st_mtim.tv_nsec) + " ";
        if (S_ISREG(info.st_mode)) {
            print += testing::ReadBytes(folder + "/" + relative).value_or("?");
        } else if (S_ISLNK(info.st_mode)) {
            char target[4096];
            const ssize_t size = readlink((folder + "/" + relative).c_str(), target, sizeof target);
            print += std::string(target, size > 0 ? static_cast<std::size_t>(size) : 0);
        }
        prints[relative] = print;
    }
    return prints;
}

bool IsTemporaryName(const std::string& name) {
    const std::size_t mark = name.rfind(".gw~");
    return !name.empty() && name[0] == '.' && mark != std::string::npos &&
           name.size() == mark + 4 + 8;
}

} // namespace glyphwright::faults

#include "tests/files/TempFolder.h"

#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace glyphwright::testing {

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "glyphwright-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    path_ = pattern;
}

TempFolder::~TempFolder() {
    RemoveTree(AT_FDCWD, path_.c_str());
}

void TempFolder::MakeFolder(std::string_view relative) const {
    const std::string path = path_ + "/" + std::string(relative);
    if (mkdir(path.c_str(), 0755) != 0) {
        throw std::runtime_error("mkdir failed: " + path);
    }
}

void TempFolder::MakeFile(std::string_view relative) const {
    const std::string path = path_ + "/" + std::string(relative);
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
        throw std::runtime_error("create failed: " + path);
    }
    close(fd);
}

void TempFolder::MakeLink(std::string_view relative, std::string_view target) const {
    const std::string path = path_ + "/" + std::string(relative);
    if (symlink(std::string(target).c_str(), path.c_str()) != 0) {
        throw std::runtime_error("symlink failed: " + path);
    }
}

void RemoveTree(int parentFd, const char* name) {
    struct stat info {};
    if (fstatat(parentFd, name, &info, AT_SYMLINK_NOFOLLOW) != 0) {
        return;
    }
    if (!S_ISDIR(info.st_mode)) {
        unlinkat(parentFd, name, 0);
        return;
    }
    fchmodat(parentFd, name, 0700, 0); // a test may have taken the bits away
    const int fd = openat(parentFd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd >= 0) {
        std::vector<std::string> names;
        const int copy = dup(fd); // closedir closes the copy; fd stays for unlinkat
        DIR* dir = copy >= 0 ? fdopendir(copy) : nullptr;
        if (dir == nullptr && copy >= 0) {
            close(copy);
        }
        if (dir != nullptr) {
            while (const dirent* entry = readdir(dir)) {
                const std::string entryName = entry->d_name;
                if (entryName != "." && entryName != "..") {
                    names.push_back(entryName);
                }
            }
            closedir(dir);
        }
        for (const std::string& entryName : names) {
            RemoveTree(fd, entryName.c_str());
        }
        close(fd);
    }
    unlinkat(parentFd, name, AT_REMOVEDIR);
}

} // namespace glyphwright::testing

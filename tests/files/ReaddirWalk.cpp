#include "tests/files/ReaddirWalk.h"

#include <dirent.h>
#include <sys/stat.h>

namespace glyphwright::testing {
namespace {

void Walk(const std::string& base, const std::function<bool(const std::string&)>& accepts,
          std::vector<std::string>& found) {
    for (const std::string& name : ReaddirNames(base)) {
        const std::string path = base + "/" + name;
        struct stat info {};
        if (stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
            Walk(path, accepts, found);
        } else if (accepts(name)) {
            found.push_back(path);
        }
    }
}

} // namespace

std::vector<std::string> ReaddirNames(const std::string& folder) {
    std::vector<std::string> names;
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) {
        return names;
    }
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") {
            names.push_back(name);
        }
    }
    closedir(dir);
    return names;
}

std::vector<std::string> ReaddirWalk(const std::string& base,
                                     const std::function<bool(const std::string&)>& accepts) {
    std::vector<std::string> found;
    Walk(base, accepts, found);
    return found;
}

} // namespace glyphwright::testing

#include "files/collect/DropIntake.h"

#include "files/collect/FileList.h"
#include "files/collect/IsAcceptedFile.h"
#include "files/collect/ScanFolder.h"

#include <sys/stat.h>

namespace glyphwright {
namespace {

bool IsExistingFolder(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace

void TakeDroppedPaths(const std::vector<std::string>& dropList, const ExtensionList& extensions,
                      FileList& files, const std::function<void()>& pause) {
    for (const std::string& path : dropList) {
        if (IsExistingFolder(path)) {
            ScanFolder(path, extensions, files, pause);
        } else if (IsAcceptedFile(path, extensions)) {
            files.Append(path);
        }
        if (pause) {
            pause();
        }
    }
}

} // namespace glyphwright

#include "files/collect/DropIntake.h"

#include "files/collect/FileList.h"
#include "files/collect/IsAcceptedFile.h"
#include "files/collect/ScanFolder.h"

#include <algorithm>

#include <sys/stat.h>

namespace glyphwright {
namespace {

bool IsExistingFolder(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace

void Refusals::Add(const std::string& path) {
    if (count++ == 0) {
        first = path;
    }
    const std::string_view extension = ExtensionOf(path);
    if (extension.empty() || extensions.size() >= kKeptExtensions) {
        return;
    }
    std::string upper = UpperCaseAToZ(extension);
    if (std::find(extensions.begin(), extensions.end(), upper) == extensions.end()) {
        extensions.push_back(std::move(upper));
    }
}

IntakeOutcome TakeDroppedPaths(const std::vector<std::string>& dropList,
                               const ExtensionList& extensions, FileList& files,
                               const std::function<void()>& pause) {
    IntakeOutcome outcome;
    const std::size_t before = files.Count();
    for (const std::string& path : dropList) {
        if (IsExistingFolder(path)) {
            ScanFolder(path, extensions, files, pause,
                       [&outcome](const std::string& found) { outcome.found.Add(found); });
        } else if (IsAcceptedFile(path, extensions)) {
            files.Append(path);
        } else {
            outcome.named.Add(path);
        }
        if (pause) {
            pause();
        }
    }
    outcome.taken = files.Count() - before;
    return outcome;
}

} // namespace glyphwright

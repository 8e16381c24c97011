#include "files/ConvertedFiles.h"

namespace glyphwright {

bool ConvertedFiles::Claim(const FileId& id) {
    const std::lock_guard lock(mutex_);
    return ids_.insert(id).second;
}

void ConvertedFiles::Release(const FileId& id) {
    const std::lock_guard lock(mutex_);
    ids_.erase(id);
}

void ConvertedFiles::Replaced(const FileId& claimed, const FileId& replacement,
                              bool claimedIsGone) {
    const std::lock_guard lock(mutex_);
    if (claimedIsGone) {
        ids_.erase(claimed);
    }
    ids_.insert(replacement);
}

} // namespace glyphwright

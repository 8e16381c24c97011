#include "FileList.h"

#include "ListErrors.h"
#include "ListObserver.h"

namespace glyphwright {

FileList::FileList(std::size_t maxCount) : maxCount_(maxCount) {}

void FileList::Append(std::string path) {
    if (paths_.size() >= maxCount_) {
        throw ListFullError();
    }
    const std::size_t row = paths_.size();
    if (observer_ != nullptr) {
        observer_->RowsAboutToBeInserted(row, row);
    }
    paths_.push_back(std::move(path));
    if (observer_ != nullptr) {
        observer_->RowsInserted();
    }
}

void FileList::Delete(std::size_t position) {
    if (position < paths_.size()) {
        RemoveBlock(position, position);
    }
}

void FileList::Clear() {
    if (observer_ != nullptr) {
        observer_->AboutToReset();
    }
    paths_.clear();
    if (observer_ != nullptr) {
        observer_->Reset();
    }
}

void FileList::DeleteRows(const std::vector<std::size_t>& ascendingPositions) {
    // Walk the positions from the end, gathering each run of consecutive rows.
    std::size_t i = ascendingPositions.size();
    while (i > 0) {
        const std::size_t last = ascendingPositions[i - 1];
        std::size_t first = last;
        --i;
        while (i > 0 && ascendingPositions[i - 1] + 1 == first) {
            first = ascendingPositions[--i];
        }
        // Positions past the end name nothing, as in a one-at-a-time walk.
        if (first < paths_.size()) {
            RemoveBlock(first, last < paths_.size() ? last : paths_.size() - 1);
        }
    }
}

void FileList::RemoveBlock(std::size_t first, std::size_t last) {
    if (observer_ != nullptr) {
        observer_->RowsAboutToBeRemoved(first, last);
    }
    paths_.erase(paths_.begin() + static_cast<std::ptrdiff_t>(first),
                 paths_.begin() + static_cast<std::ptrdiff_t>(last + 1));
    if (observer_ != nullptr) {
        observer_->RowsRemoved();
    }
}

} // namespace glyphwright

#include "files/collect/FileList.h"

#include "files/collect/ListErrors.h"
#include "files/collect/ListObserver.h"

#include <algorithm>

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

namespace {

// Beyond this many blocks the observer is told one reset instead: a view
// follows every removed block across all the positions it tracks, and a
// scattered selection is itself many tracked positions.
constexpr std::size_t kMaxBlockNotices = 256;

std::size_t CountBlocks(const std::vector<std::size_t>& ascendingPositions) {
    std::size_t blocks = 0;
    for (std::size_t i = 0; i < ascendingPositions.size(); ++i) {
        if (i == 0 || ascendingPositions[i - 1] + 1 != ascendingPositions[i]) {
            ++blocks;
        }
    }
    return blocks;
}

} // namespace

void FileList::DeleteRows(const std::vector<std::size_t>& ascendingPositions) {
    // Each block erased moves the tail once; with few blocks that stays
    // cheap, and many blocks take the single pass instead.
    if (CountBlocks(ascendingPositions) > kMaxBlockNotices) {
        DeleteRowsAtOnce(ascendingPositions);
        return;
    }
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
            RemoveBlock(first, std::min(last, paths_.size() - 1));
        }
    }
}

void FileList::DeleteRowsAtOnce(const std::vector<std::size_t>& ascendingPositions) {
    if (observer_ != nullptr) {
        observer_->AboutToReset();
    }
    std::size_t kept = 0;
    auto next = ascendingPositions.begin();
    for (std::size_t position = 0; position < paths_.size(); ++position) {
        if (next != ascendingPositions.end() && *next == position) {
            ++next;
        } else {
            if (kept != position) {
                paths_[kept] = std::move(paths_[position]);
            }
            ++kept;
        }
    }
    paths_.resize(kept);
    if (observer_ != nullptr) {
        observer_->Reset();
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

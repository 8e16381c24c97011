#include "FileList.h"

#include "ListErrors.h"
#include "ListObserver.h"

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
    if (CountBlocks(ascendingPositions) > kMaxBlockNotices) {
        DeleteRowsAtOnce(ascendingPositions);
        return;
    }
    // Erasing each block from the vector would move the whole tail every
    // time, which is quadratic for a scattered selection. Instead the entries
    // between two blocks move once, next to the gap of the removed ones.
    struct GapCloser {
        FileList& list;
        ~GapCloser() { list.CloseGap(); }
    } closer{*this};
    gapBegin_ = paths_.size();
    gapSize_ = 0;

    // Walk the positions from the end, gathering each run of consecutive rows.
    std::size_t i = ascendingPositions.size();
    while (i > 0) {
        std::size_t last = ascendingPositions[i - 1];
        std::size_t first = last;
        --i;
        while (i > 0 && ascendingPositions[i - 1] + 1 == first) {
            first = ascendingPositions[--i];
        }
        // Positions past the end name nothing, as in a one-at-a-time walk.
        if (first >= Count()) {
            continue;
        }
        last = std::min(last, Count() - 1);
        if (observer_ != nullptr) {
            observer_->RowsAboutToBeRemoved(first, last);
        }
        // The entries between the block and the gap move to the gap's far
        // end; before the first block there is no gap and nothing to move.
        if (gapSize_ > 0) {
            const auto begin = paths_.begin();
            std::move_backward(begin + static_cast<std::ptrdiff_t>(last + 1),
                               begin + static_cast<std::ptrdiff_t>(gapBegin_),
                               begin + static_cast<std::ptrdiff_t>(gapBegin_ + gapSize_));
        }
        gapSize_ += last - first + 1;
        gapBegin_ = first;
        if (observer_ != nullptr) {
            observer_->RowsRemoved();
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

void FileList::CloseGap() {
    const auto begin = paths_.begin() + static_cast<std::ptrdiff_t>(gapBegin_);
    paths_.erase(begin, begin + static_cast<std::ptrdiff_t>(gapSize_));
    gapBegin_ = 0;
    gapSize_ = 0;
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

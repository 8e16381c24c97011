#include "files/runs/InOrder.h"

namespace glyphwright {

OrderedSchedule::OrderedSchedule(std::size_t count, std::size_t blockSize, std::size_t window,
                                 OrderAfter after, const StopFlag* stop)
    : count_(count), blockSize_(std::max<std::size_t>(blockSize, 1)),
      window_(std::max({window, 2 * blockSize_, std::size_t{2}})), after_(std::move(after)),
      stop_(stop), finished_(window_, 0) {}

bool OrderedSchedule::NoMoreStart() const {
    // A stop is never taken back, so once seen here it holds for good.
    return closed_ || (stop_ != nullptr && stop_->Requested());
}

bool OrderedSchedule::AllEnded() const {
    return ended_ == next_ && (next_ == count_ || NoMoreStart());
}

bool OrderedSchedule::CallerWanted() const {
    return ended_ - delivered_ >= window_ / 2 || AllEnded();
}

// Under the lock.
void OrderedSchedule::Ended(std::size_t index) {
    finished_[index % window_] = 1;
    const std::size_t before = ended_;
    while (ended_ < next_ && finished_[ended_ % window_] != 0) {
        ++ended_;
    }
    if (ended_ != before && (workersWaiting_ > 0 || CallerWanted())) {
        changed_.notify_all();
    }
}

std::optional<std::size_t> OrderedSchedule::Take(Block& block) {
    std::unique_lock lock(mutex_);
    while (block.first == block.last) {
        if (NoMoreStart() || next_ == count_) {
            break;
        }
        const std::size_t size = std::min(blockSize_, count_ - next_);
        if (next_ + size <= delivered_ + window_) {
            block = {next_, next_ + size};
            next_ += size;
            break;
        }
        ++workersWaiting_;
        changed_.wait(lock);
        --workersWaiting_;
    }
    if (NoMoreStart()) {
        // What is left of the block ends unworked, so that the caller does
        // not wait for it.
        for (; block.first < block.last; ++block.first) {
            Ended(block.first);
        }
        closed_ = true;
        changed_.notify_all();
        return std::nullopt;
    }
    if (block.first == block.last) {
        return std::nullopt;
    }
    const std::size_t index = block.first++;
    ++started_;
    lock.unlock();
    const std::optional<std::size_t> after = after_ ? after_(index) : std::nullopt;
    if (after && *after < index) {
        // The earliest unfinished index never waits here, so this ends.
        lock.lock();
        ++workersWaiting_;
        changed_.wait(lock, [this, after] { return *after < ended_; });
        --workersWaiting_;
    }
    return index;
}

void OrderedSchedule::Finished(std::size_t index) {
    const std::lock_guard lock(mutex_);
    Ended(index);
}

std::optional<OrderedSchedule::Range>
OrderedSchedule::NextFinished(const std::function<void()>& whileWaiting) {
    std::unique_lock lock(mutex_);
    while (!CallerWanted()) {
        if (changed_.wait_for(lock, kDeliveryDelay) != std::cv_status::timeout) {
            continue;
        }
        if (delivered_ < ended_) {
            break;
        }
        if (whileWaiting) {
            lock.unlock();
            whileWaiting();
            lock.lock();
        }
    }
    if (delivered_ < ended_) {
        return Range{delivered_, ended_};
    }
    return std::nullopt;
}

void OrderedSchedule::Delivered(const Range& range) {
    const std::lock_guard lock(mutex_);
    for (std::size_t index = range.first; index < range.last; ++index) {
        finished_[index % window_] = 0;
    }
    delivered_ = range.last;
    if (workersWaiting_ > 0) {
        changed_.notify_all();
    }
}

void OrderedSchedule::Close() {
    const std::lock_guard lock(mutex_);
    closed_ = true;
    changed_.notify_all();
}

std::size_t OrderedSchedule::Started() const {
    const std::lock_guard lock(mutex_);
    return started_;
}

} // namespace glyphwright

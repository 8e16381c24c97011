#include "files/OrderedPool.h"

namespace glyphwright {

OrderedSchedule::OrderedSchedule(std::size_t count, std::size_t window, OrderAfter after,
                                 const StopFlag* stop)
    : count_(count), window_(window > 0 ? window : 1), after_(std::move(after)), stop_(stop),
      finished_(window_, 0) {}

bool OrderedSchedule::NoMoreOut() const {
    // A stop is never taken back, so once seen here it holds for good.
    return closed_ || next_ == count_ || (stop_ != nullptr && stop_->Requested());
}

std::optional<std::size_t> OrderedSchedule::Take() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return NoMoreOut() || next_ < delivered_ + window_; });
    if (NoMoreOut()) {
        // The caller may be waiting to learn that nothing more comes.
        closed_ = true;
        changed_.notify_all();
        return std::nullopt;
    }
    const std::size_t index = next_++;
    // Asked here, under the lock, so that it is asked in index order.
    const std::optional<std::size_t> after = after_ ? after_(index) : std::nullopt;
    if (after && *after < index) {
        // The earliest unfinished index never waits here, so this ends.
        changed_.wait(lock, [this, after] { return *after < ended_; });
    }
    return index;
}

void OrderedSchedule::Finished(std::size_t index) {
    const std::lock_guard lock(mutex_);
    finished_[index % window_] = 1;
    while (ended_ < next_ && finished_[ended_ % window_] != 0) {
        ++ended_;
    }
    changed_.notify_all();
}

std::optional<std::size_t> OrderedSchedule::NextFinished() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock,
                  [this] { return delivered_ < ended_ || (delivered_ == next_ && NoMoreOut()); });
    if (delivered_ < ended_) {
        return delivered_;
    }
    return std::nullopt;
}

void OrderedSchedule::Delivered(std::size_t index) {
    const std::lock_guard lock(mutex_);
    finished_[index % window_] = 0;
    delivered_ = index + 1;
    changed_.notify_all();
}

void OrderedSchedule::Close() {
    const std::lock_guard lock(mutex_);
    closed_ = true;
    changed_.notify_all();
}

std::size_t OrderedSchedule::HandedOut() const {
    const std::lock_guard lock(mutex_);
    return next_;
}

} // namespace glyphwright

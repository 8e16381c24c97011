// A request to stop a run, set from a signal handler or another thread and
// looked at between files and just before a file is replaced, so that a file
// is either replaced whole or left as it was.
#pragma once

#include <atomic>

namespace glyphwright {

class StopFlag {
public:
    // Safe in a signal handler: a lock-free atomic store.
    void Request(int reason) noexcept { reason_.store(reason, std::memory_order_relaxed); }
    bool Requested() const noexcept { return Reason() != 0; }
    // What Request was given (the tool passes the signal number); 0 when none.
    int Reason() const noexcept { return reason_.load(std::memory_order_relaxed); }

private:
    static_assert(std::atomic<int>::is_always_lock_free);
    std::atomic<int> reason_{0};
};

} // namespace glyphwright

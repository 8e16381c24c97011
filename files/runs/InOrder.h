// Work on the entries of a list spread over several threads, with each result
// handed back on the calling thread in list order, so that what a run reports
// does not depend on how many threads did the work. No Qt, no library beyond
// the standard one.
#pragma once

#include "files/io/StopFlag.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <functional>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <type_traits>
#include <utility>
#include <vector>

namespace glyphwright {

// May name an earlier index that, together with every index before it, must
// have ended before the given one starts.
using OrderAfter = std::function<std::optional<std::size_t>(std::size_t index)>;

// Which index a worker takes next and when results may be handed back.
//
// Workers take blocks of neighbouring indices and work through them in order,
// since neighbours in a list of files mostly share a folder, and two workers
// in one folder would queue for its lock at every new name. The blocks go out
// in order, at most `window` indices beyond the first one not yet handed
// back, so that the results waiting for an earlier one stay few.
//
// One lock and one condition guard it all. The caller, which hands the
// results back, is woken when half the window has ended or all has, and
// otherwise looks every kDeliveryDelay: a wake-up per result would push a
// worker off its core, and a stop requested by a signal handler wakes no one.
class OrderedSchedule {
public:
    // Half-open: the indices first to last - 1.
    struct Range {
        std::size_t first = 0;
        std::size_t last = 0;
    };
    // A worker's block: what it has still to do of it.
    using Block = Range;

    OrderedSchedule(std::size_t count, std::size_t blockSize, std::size_t window, OrderAfter after,
                    const StopFlag* stop);

    // For a worker: the next index of its block, or of a new one, once it may
    // start; nothing when no more start (all are done, a stop was requested,
    // or Close was called). What is left of the block then is not worked on.
    std::optional<std::size_t> Take(Block& block);
    // For a worker: the work on index has ended and its result is stored.
    void Finished(std::size_t index);
    // For the caller: the next indices in order that have ended; nothing
    // when every index has ended and been handed back. whileWaiting, unless
    // empty, is called without the lock each kDeliveryDelay that passes
    // with nothing to hand back.
    std::optional<Range> NextFinished(const std::function<void()>& whileWaiting = {});
    // For the caller: the range is handed back; its places may take others.
    void Delivered(const Range& range);
    // No more indices start; those started are still finished.
    void Close();

    std::size_t Window() const { return window_; }
    // How many indices were worked on.
    std::size_t Started() const;

    // How long results may wait for the caller at most.
    static constexpr std::chrono::milliseconds kDeliveryDelay{20};

private:
    bool NoMoreStart() const;
    bool AllEnded() const; // no more start, and all that went out have ended
    bool CallerWanted() const;
    void Ended(std::size_t index);

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::size_t workersWaiting_ = 0; // for room in the window, or for their turn
    const std::size_t count_;
    const std::size_t blockSize_;
    const std::size_t window_;
    const OrderAfter after_;
    const StopFlag* const stop_;
    std::vector<char> finished_; // by index modulo window, for those out and not handed back
    std::size_t next_ = 0;       // the first index of the next block
    std::size_t delivered_ = 0;  // every index below has been handed back
    std::size_t ended_ = 0;      // every index below has ended, worked on or not
    std::size_t started_ = 0;
    bool closed_ = false;
};

struct InOrderOptions {
    std::size_t workers = 1; // 1: everything on the calling thread, one index after the other
    const StopFlag* stop = nullptr; // looked at before each index starts; may be null
    OrderAfter after;               // may be empty
    // With several workers: called on the calling thread while it waits for
    // results, about every OrderedSchedule::kDeliveryDelay. May be empty.
    std::function<void()> whileWaiting = {};
};

// How far the handing out may run ahead of the handing back, at least.
inline constexpr std::size_t kOrderedWindow = 1024;

// A block small enough that every worker gets several even of a short list.
inline std::size_t OrderedBlockSize(std::size_t count, std::size_t workers) {
    return std::clamp<std::size_t>(count / (8 * std::max<std::size_t>(workers, 1)), 1, 64);
}

// Calls work(i) for i from 0 to count - 1 and deliver(i, result) for each
// result, on the calling thread in the order of i. With more than one worker
// the work runs on that many threads of its own, at the same time; with one
// it runs on the calling thread, each index after the one before. Once a stop
// is requested no further index starts, and those not started are not
// delivered (with several workers they need not be the last ones); every
// index started is worked on and delivered. Returns how many were started.
// An exception from work or deliver ends the run and leaves once the threads
// have ended.
template <class Work, class Deliver>
std::size_t RunInOrder(std::size_t count, const InOrderOptions& options, Work&& work,
                       Deliver&& deliver) {
    using Result = std::invoke_result_t<Work&, std::size_t>;
    if (options.workers <= 1) {
        std::size_t index = 0;
        for (; index < count; ++index) {
            if (options.stop != nullptr && options.stop->Requested()) {
                break;
            }
            deliver(index, work(index));
        }
        return index;
    }

    const std::size_t block = OrderedBlockSize(count, options.workers);
    OrderedSchedule schedule(count, block, std::max(kOrderedWindow, 4 * options.workers * block),
                             options.after, options.stop);
    std::vector<std::optional<Result>> results(schedule.Window());
    std::exception_ptr failure;
    std::mutex failureMutex;
    {
        std::vector<std::jthread> threads;
        // Runs before the threads are joined, however this block is left.
        struct CloseOnExit {
            OrderedSchedule& schedule;
            ~CloseOnExit() { schedule.Close(); }
        } closeOnExit{schedule};
        const auto worker = [&] {
            OrderedSchedule::Block mine;
            while (const std::optional<std::size_t> index = schedule.Take(mine)) {
                try {
                    results[*index % schedule.Window()].emplace(work(*index));
                } catch (...) {
                    const std::lock_guard lock(failureMutex);
                    if (!failure) {
                        failure = std::current_exception();
                    }
                    schedule.Close();
                }
                schedule.Finished(*index);
            }
        };
        for (std::size_t i = 0; i < options.workers && i < count; ++i) {
            try {
                threads.emplace_back(worker);
            } catch (const std::system_error&) {
                // Fewer threads than asked for still finish the work.
                if (threads.empty()) {
                    throw;
                }
                break;
            }
        }
        while (const std::optional<OrderedSchedule::Range> range =
                   schedule.NextFinished(options.whileWaiting)) {
            for (std::size_t index = range->first; index < range->last; ++index) {
                std::optional<Result>& result = results[index % schedule.Window()];
                if (result) {
                    deliver(index, std::move(*result));
                    result.reset();
                }
            }
            schedule.Delivered(*range);
        }
    }
    if (failure) {
        std::rethrow_exception(failure);
    }
    return schedule.Started();
}

} // namespace glyphwright

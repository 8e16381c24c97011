// Work on the entries of a list spread over several threads, with each result
// handed back on the calling thread in list order, so that what a run reports
// does not depend on how many threads did the work. No Qt, no library beyond
// the standard one.
#pragma once

#include "files/StopFlag.h"

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
// have ended before the given one starts; called in index order.
using OrderAfter = std::function<std::optional<std::size_t>(std::size_t index)>;

// Which index a worker takes next and when a result may be handed back.
// Indices go out in order, at most `window` beyond the first one not yet
// handed back, so that the results waiting for an earlier one stay few.
class OrderedSchedule {
public:
    OrderedSchedule(std::size_t count, std::size_t window, OrderAfter after, const StopFlag* stop);

    // For a worker: the next index, once it may start; nothing when no more
    // go out (all are out, a stop was requested, or Close was called).
    std::optional<std::size_t> Take();
    // For a worker: the work on index has ended and its result is stored.
    void Finished(std::size_t index);
    // For the caller: the next index in order once it has finished; nothing
    // when every index that went out has been handed back.
    std::optional<std::size_t> NextFinished();
    // For the caller: index is handed back; its place may take another.
    void Delivered(std::size_t index);
    // No more indices go out; those out are still finished.
    void Close();

    std::size_t Window() const { return window_; }
    std::size_t HandedOut() const;

private:
    bool NoMoreOut() const;

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    const std::size_t count_;
    const std::size_t window_;
    const OrderAfter after_;
    const StopFlag* const stop_;
    std::vector<char> finished_; // by index modulo window, for those out and not handed back
    std::size_t next_ = 0;       // the next index to go out
    std::size_t delivered_ = 0;  // every index below has been handed back
    std::size_t ended_ = 0;      // every index below has finished
    bool closed_ = false;
};

struct InOrderOptions {
    std::size_t workers = 1; // 1: everything on the calling thread, one index after the other
    const StopFlag* stop = nullptr; // looked at before each index goes out; may be null
    OrderAfter after;               // may be empty
};

// How far the handing out may run ahead of the handing back.
inline constexpr std::size_t kOrderedWindow = 1024;

// Calls work(i) for i from 0 to count - 1 and deliver(i, result) for each
// result, on the calling thread in the order of i. With more than one worker
// the work runs on that many threads of its own, at the same time; with one
// it runs on the calling thread, each index after the one before. Once a stop
// is requested no further index goes out; every index that went out is
// worked on and delivered. Returns how many went out. An exception from work
// or deliver ends the handing out and leaves after the threads have ended.
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

    OrderedSchedule schedule(count, kOrderedWindow, options.after, options.stop);
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
            while (const std::optional<std::size_t> index = schedule.Take()) {
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
        while (const std::optional<std::size_t> index = schedule.NextFinished()) {
            std::optional<Result>& result = results[*index % schedule.Window()];
            if (result) {
                deliver(*index, std::move(*result));
                result.reset();
            }
            schedule.Delivered(*index);
        }
    }
    if (failure) {
        std::rethrow_exception(failure);
    }
    return schedule.HandedOut();
}

} // namespace glyphwright

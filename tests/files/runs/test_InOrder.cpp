#include "files/runs/InOrder.h"

#include "files/io/StopFlag.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace glyphwright {
namespace {

// Work of uneven length, so that the workers finish out of order.
void Dawdle(std::size_t index, unsigned seed) {
    std::this_thread::sleep_for(std::chrono::microseconds((index * 7919 + seed) % 200));
}

InOrderOptions Workers(std::size_t workers, const StopFlag* stop = nullptr, OrderAfter after = {}) {
    return {workers, stop, std::move(after)};
}

unsigned Seed() {
    const unsigned seed = std::random_device{}();
    ::testing::Test::RecordProperty("seed", std::to_string(seed));
    return seed;
}

TEST(InOrder, EveryResultOnceInIndexOrderOnTheCallingThread) {
    const unsigned seed = Seed();
    for (const std::size_t workers : {1, 2, 4, 9}) {
        for (const std::size_t count : {0, 1, 5, 3000}) {
            SCOPED_TRACE(std::to_string(workers) + " workers, " + std::to_string(count) +
                         " indices, seed " + std::to_string(seed));
            std::vector<std::atomic<int>> runs(count);
            std::vector<std::size_t> delivered;
            bool offThread = false;
            const std::thread::id caller = std::this_thread::get_id();
            const std::size_t handedOut = RunInOrder(
                count, Workers(workers),
                [&](std::size_t index) {
                    ++runs[index];
                    Dawdle(index, seed);
                    return std::make_unique<std::string>(std::to_string(index));
                },
                [&](std::size_t index, std::unique_ptr<std::string> result) {
                    offThread |= std::this_thread::get_id() != caller;
                    EXPECT_EQ(*result, std::to_string(index));
                    delivered.push_back(index);
                });
            EXPECT_EQ(handedOut, count);
            EXPECT_FALSE(offThread);
            ASSERT_EQ(delivered.size(), count);
            for (std::size_t i = 0; i < count; ++i) {
                EXPECT_EQ(delivered[i], i);
                EXPECT_EQ(runs[i], 1) << i;
            }
        }
    }
}

// After a stop no index starts; every index started is worked on once and
// delivered, in order. With one worker those are the first ones.
TEST(InOrder, AStopStartsNoMoreAndDeliversWhatStarted) {
    const unsigned seed = Seed();
    for (const std::size_t workers : {1, 4}) {
        SCOPED_TRACE(std::to_string(workers) + " workers, seed " + std::to_string(seed));
        constexpr std::size_t kCount = 20000;
        StopFlag stop;
        std::vector<std::atomic<int>> runs(kCount);
        std::vector<std::size_t> delivered;
        const std::size_t started = RunInOrder(
            kCount, Workers(workers, &stop),
            [&](std::size_t index) {
                ++runs[index];
                Dawdle(index, seed);
                if (index == 100) {
                    stop.Request(SIGTERM);
                }
                return index;
            },
            [&](std::size_t index, std::size_t result) {
                EXPECT_EQ(result, index);
                delivered.push_back(index);
            });
        if (workers == 1) {
            EXPECT_EQ(started, 101u);
        }
        EXPECT_LT(started, kCount);
        ASSERT_EQ(delivered.size(), started);
        EXPECT_TRUE(std::is_sorted(delivered.begin(), delivered.end()));
        std::size_t ran = 0;
        for (std::size_t i = 0; i < kCount; ++i) {
            EXPECT_LE(runs[i], 1) << i;
            ran += runs[i];
        }
        EXPECT_EQ(ran, started);
        EXPECT_EQ(runs[100], 1);
    }
}

// An index that must follow an earlier one starts only when that one and
// every index before it have ended.
TEST(InOrder, AnIndexStartsAfterTheOneItFollows) {
    const unsigned seed = Seed();
    constexpr std::size_t kCount = 3000;
    const auto after = [](std::size_t index) -> std::optional<std::size_t> {
        if (index % 10 == 3 && index >= 5) {
            return index - (index % 50 == 3 ? 1 : 5);
        }
        return std::nullopt;
    };
    std::vector<std::atomic<bool>> ended(kCount);
    std::atomic<std::size_t> early = 0;
    RunInOrder(
        kCount, Workers(4, nullptr, after),
        [&](std::size_t index) {
            if (const std::optional<std::size_t> before = after(index)) {
                for (std::size_t i = 0; i <= *before; ++i) {
                    early += ended[i] ? 0 : 1;
                }
            }
            Dawdle(index, seed);
            ended[index] = true;
            return 0;
        },
        [](std::size_t, int) {});
    EXPECT_EQ(early, 0u) << "seed " << seed;
}

// Work that throws ends the handing out; the exception reaches the caller
// once every worker has stopped.
TEST(InOrder, AnExceptionFromTheWorkReachesTheCaller) {
    std::atomic<std::size_t> running = 0;
    std::size_t delivered = 0;
    const auto run = [&] {
        RunInOrder(
            10000, Workers(3),
            [&](std::size_t index) {
                ++running;
                if (index == 200) {
                    --running;
                    throw std::runtime_error("kaputt");
                }
                --running;
                return index;
            },
            [&](std::size_t, std::size_t) { ++delivered; });
    };
    EXPECT_THROW(run(), std::runtime_error);
    EXPECT_EQ(running, 0u);
    EXPECT_LT(delivered, 10000u);
}

// While one long piece of work holds up the results, the caller is called
// back on its own thread, so that a window can repaint meanwhile.
TEST(InOrder, TheCallerIsCalledBackWhileItWaits) {
    const std::thread::id caller = std::this_thread::get_id();
    std::size_t calls = 0;
    bool offThread = false;
    InOrderOptions options = Workers(2);
    options.whileWaiting = [&] {
        ++calls;
        offThread |= std::this_thread::get_id() != caller;
    };
    RunInOrder(
        4, options,
        [](std::size_t index) {
            if (index == 0) {
                std::this_thread::sleep_for(10 * OrderedSchedule::kDeliveryDelay);
            }
            return index;
        },
        [](std::size_t, std::size_t) {});
    EXPECT_GE(calls, 3u);
    EXPECT_FALSE(offThread);
}

} // namespace
} // namespace glyphwright

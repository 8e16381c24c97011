#include "files/runs/SameFileTurns.h"

#include "tests/files/FileTesting.h"
#include "tests/files/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

namespace glyphwright {
namespace {

using Turns = std::vector<std::optional<std::size_t>>;

// TurnsOf on a thread of its own, so that a call that never returns fails
// its case quickly instead of holding up the whole test run; nothing then.
std::optional<Turns> TurnsWithin(std::vector<std::string> paths, std::size_t workers) {
    const auto shared = std::make_shared<const std::vector<std::string>>(std::move(paths));
    std::packaged_task<Turns()> task([shared, workers] {
        return TurnsOf(
            shared->size(), [shared](std::size_t i) -> const std::string& { return (*shared)[i]; },
            workers);
    });
    std::future<Turns> turns = task.get_future();
    std::thread(std::move(task)).detach();
    if (turns.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
        return std::nullopt;
    }
    return turns.get();
}

// Each entry waits for the last earlier one that reaches its file, by the
// same name, another hard link, or the name of its backup either way round;
// for any number of workers, none included.
TEST(SameFileTurns, EachEntryWaitsForTheLastEarlierOneOfItsFile) {
    testing::TempFolder folder;
    const auto at = [&](const std::string& name) { return folder.Path() + "/" + name; };
    for (const char* name : {"a.htm", "h1.htm", "x.htm", "x.htm._backup_"}) {
        testing::WriteBytes(at(name), name);
    }
    ASSERT_EQ(link(at("h1.htm").c_str(), at("h2.htm").c_str()), 0);
    struct Case {
        std::vector<std::string> names;
        std::size_t workers = 0;
        Turns after;
    };
    const std::optional<std::size_t> none;
    const std::vector<Case> cases{
        {{}, 0, {}},
        {{}, 4, {}},
        {{"a.htm"}, 0, {none}},
        {{"a.htm", "a.htm"}, 0, {none, 0}},
        {{"a.htm"}, 4, {none}},
        {{"a.htm", "x.htm", "a.htm"}, 2, {none, none, 0}},
        {{"a.htm", "a.htm"}, 9, {none, 0}},
        {{"h1.htm", "a.htm", "h2.htm", "h1.htm"}, 3, {none, none, 0, 2}},
        // A conversion writes the backup that a later entry reads, and a
        // later conversion overwrites the backup that an earlier entry reads.
        {{"x.htm", "x.htm._backup_"}, 4, {none, 0}},
        {{"x.htm._backup_", "x.htm"}, 4, {none, 0}},
        {{"x.htm", "a.htm", "x.htm._backup_", "x.htm"}, 2, {none, none, 0, 2}},
        {{"gone.htm", "gone.htm._backup_"}, 2, {none, 0}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> paths;
        std::string shown;
        for (const std::string& name : c.names) {
            paths.push_back(at(name));
            shown += name + " ";
        }
        SCOPED_TRACE(shown + "with " + std::to_string(c.workers) + " workers");
        const std::optional<Turns> after = TurnsWithin(paths, c.workers);
        if (!after) {
            ADD_FAILURE() << "no answer within 5 s";
            continue;
        }
        EXPECT_EQ(*after, c.after);
    }
}

} // namespace
} // namespace glyphwright

#include "files/collect/FileList.h"
#include "files/collect/ListErrors.h"
#include "tests/files/RecordingObserver.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace glyphwright {
namespace {

using testing::RecordingObserver;

std::vector<std::string> Paths(const FileList& list) {
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < list.Count(); ++i) {
        paths.push_back(list.Path(i));
    }
    return paths;
}

FileList Numbered(std::size_t count) {
    FileList list;
    for (std::size_t i = 0; i < count; ++i) {
        list.Append("/f" + std::to_string(i));
    }
    return list;
}

// The delete command as the user sees it: at each position, a selected entry
// is deleted and the same position tested again, else the next one.
std::vector<std::string> DeleteOneAtATime(std::vector<std::string> paths,
                                          std::vector<bool> selected) {
    std::size_t position = 0;
    while (position < paths.size()) {
        if (selected[position]) {
            paths.erase(paths.begin() + static_cast<std::ptrdiff_t>(position));
            selected.erase(selected.begin() + static_cast<std::ptrdiff_t>(position));
        } else {
            ++position;
        }
    }
    return paths;
}

TEST(FileList, AppendKeepsIntakeOrderAndDuplicates) {
    FileList list;
    list.Append("/b.htm");
    list.Append("/a.htm");
    list.Append("/b.htm");
    EXPECT_EQ(Paths(list), (std::vector<std::string>{"/b.htm", "/a.htm", "/b.htm"}));
    list.Delete(0);
    list.Delete(5); // past the end: nothing
    EXPECT_EQ(Paths(list), (std::vector<std::string>{"/a.htm", "/b.htm"}));
    list.Clear();
    EXPECT_EQ(list.Count(), 0U);
}

TEST(FileList, TellsTheObserverEveryChangeWithItsRows) {
    FileList list;
    RecordingObserver observer;
    list.SetObserver(&observer);
    list.Append("/a");
    list.Append("/b");
    list.Append("/c");
    list.Delete(1);
    list.Clear();
    EXPECT_EQ(observer.calls,
              (std::vector<std::string>{"aboutToInsert 0-0", "inserted", "aboutToInsert 1-1",
                                        "inserted", "aboutToInsert 2-2", "inserted",
                                        "aboutToRemove 1-1", "removed", "aboutToReset", "reset"}));
}

TEST(FileList, DeleteRowsRemovesContiguousBlocksFromTheEnd) {
    FileList list = Numbered(8);
    RecordingObserver observer;
    list.SetObserver(&observer);
    list.DeleteRows({1, 2, 4, 6, 7});
    EXPECT_EQ(Paths(list), (std::vector<std::string>{"/f0", "/f3", "/f5"}));
    EXPECT_EQ(observer.calls,
              (std::vector<std::string>{"aboutToRemove 6-7", "removed", "aboutToRemove 4-4",
                                        "removed", "aboutToRemove 1-2", "removed"}));
}

TEST(FileList, DeleteRowsEdgeCases) {
    FileList list = Numbered(5);
    list.DeleteRows({});
    EXPECT_EQ(list.Count(), 5U);
    list.DeleteRows({1, 2});
    EXPECT_EQ(Paths(list), (std::vector<std::string>{"/f0", "/f3", "/f4"}));
    list.DeleteRows({2, 3, 9}); // rows past the end name nothing
    EXPECT_EQ(Paths(list), (std::vector<std::string>{"/f0", "/f3"}));
    list.DeleteRows({0, 1});
    EXPECT_EQ(list.Count(), 0U);
}

TEST(FileList, DeleteRowsGivesTheSameListAsTheOneAtATimeWalk) {
    std::mt19937 random(4);
    for (int round = 0; round < 300; ++round) {
        const std::size_t count = random() % 40;
        FileList list = Numbered(count);
        const std::vector<std::string> before = Paths(list);
        std::vector<bool> selected(count);
        std::vector<std::size_t> rows;
        const unsigned density = 1 + random() % 4;
        for (std::size_t i = 0; i < count; ++i) {
            selected[i] = random() % density != 0;
            if (selected[i]) {
                rows.push_back(i);
            }
        }
        list.DeleteRows(rows);
        EXPECT_EQ(Paths(list), DeleteOneAtATime(before, selected)) << "round " << round;
    }
}

// A view reads the list between the notices of each block: before a block
// goes, the list still holds it; after, exactly that block is gone.
TEST(FileList, DeleteRowsShowsEachBlocksResultToTheObserver) {
    class Snapshots : public RecordingObserver {
    public:
        const FileList* list = nullptr;
        std::vector<std::vector<std::string>> seen;
        void RowsAboutToBeRemoved(std::size_t first, std::size_t last) override {
            seen.push_back(Paths(*list));
            RecordingObserver::RowsAboutToBeRemoved(first, last);
        }
        void RowsRemoved() override { seen.push_back(Paths(*list)); }
    };
    FileList list = Numbered(9);
    Snapshots observer;
    observer.list = &list;
    list.SetObserver(&observer);
    list.DeleteRows({0, 2, 3, 6, 8, 12});
    using Texts = std::vector<std::string>;
    const Texts all = {"/f0", "/f1", "/f2", "/f3", "/f4", "/f5", "/f6", "/f7", "/f8"};
    const Texts no8 = {"/f0", "/f1", "/f2", "/f3", "/f4", "/f5", "/f6", "/f7"};
    const Texts no6 = {"/f0", "/f1", "/f2", "/f3", "/f4", "/f5", "/f7"};
    const Texts no23 = {"/f0", "/f1", "/f4", "/f5", "/f7"};
    const Texts no0 = {"/f1", "/f4", "/f5", "/f7"};
    EXPECT_EQ(observer.seen, (std::vector<Texts>{all, no8, no8, no6, no6, no23, no23, no0}));
    EXPECT_EQ(Paths(list), no0);
    list.Append("/f9");
    EXPECT_EQ(list.Path(4), "/f9");
}

TEST(FileList, DeleteRowsOfAScatteredSelectionIsOneReset) {
    FileList list = Numbered(2000);
    std::vector<std::string> expected;
    std::vector<std::size_t> rows;
    for (std::size_t i = 0; i < 2000; ++i) {
        if (i % 3 == 1 || i == 1999) {
            rows.push_back(i);
        } else {
            expected.push_back("/f" + std::to_string(i));
        }
    }
    rows.push_back(5000); // past the end: nothing
    RecordingObserver observer;
    list.SetObserver(&observer);
    list.DeleteRows(rows);
    EXPECT_EQ(Paths(list), expected);
    EXPECT_EQ(observer.calls, (std::vector<std::string>{"aboutToReset", "reset"}));
}

TEST(FileList, RefusesAnEntryPastItsMaximumKeepingTheEntriesBefore) {
    FileList list(2);
    list.Append("/a");
    list.Append("/b");
    RecordingObserver observer;
    list.SetObserver(&observer);
    EXPECT_THROW(list.Append("/c"), ListFullError);
    EXPECT_EQ(Paths(list), (std::vector<std::string>{"/a", "/b"}));
    EXPECT_TRUE(observer.calls.empty());
}

} // namespace
} // namespace glyphwright

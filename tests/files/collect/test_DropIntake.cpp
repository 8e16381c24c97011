#include "files/collect/DropIntake.h"
#include "files/collect/ExtensionList.h"
#include "files/collect/FileList.h"
#include "files/collect/IsAcceptedFile.h"
#include "files/collect/ListErrors.h"
#include "tests/files/ReaddirWalk.h"
#include "tests/files/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace glyphwright {
namespace {

using testing::ReaddirWalk;
using testing::TempFolder;

ExtensionList HtmOn() {
    ExtensionList list = ExtensionList::WithDefaults();
    list.SetMark(*list.Find(".HTM"), true);
    return list;
}

std::vector<std::string> Paths(const FileList& files) {
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < files.Count(); ++i) {
        paths.push_back(files.Path(i));
    }
    return paths;
}

class DropIntake : public ::testing::Test {
protected:
    DropIntake() {
        tree.MakeFile("a.htm");
        tree.MakeFile("b.htm");
        tree.MakeFile("c.txt");
        tree.MakeFolder("D");
        tree.MakeFile("D/x.htm");
        tree.MakeFolder("D/S");
        tree.MakeFile("D/S/y.htm");
        tree.MakeFile("D/z.htm");
        tree.MakeLink("L", "D");
    }

    std::string At(const std::string& name) const { return tree.Path() + "/" + name; }

    std::vector<std::string> WalkOf(const std::string& folder) const {
        return ReaddirWalk(folder,
                           [this](const std::string& n) { return IsAcceptedFile(n, list); });
    }

    TempFolder tree;
    ExtensionList list = HtmOn();
    FileList files;
};

TEST_F(DropIntake, TakesFilesAndFoldersInTheOrderOfTheDrop) {
    TakeDroppedPaths({At("a.htm"), At("D"), At("c.txt"), At("b.htm")}, list, files);
    std::vector<std::string> expected{At("a.htm")};
    for (const std::string& path : WalkOf(At("D"))) {
        expected.push_back(path);
    }
    expected.push_back(At("b.htm"));
    EXPECT_EQ(Paths(files), expected);
    EXPECT_EQ(files.Count(), 5U);
}

TEST_F(DropIntake, AppendsFilesUnchangedWithoutAnExistenceCheck) {
    const std::string longPath = tree.Path() + "/" + std::string(300, 'n') + "/gone.HTM";
    TakeDroppedPaths({At("missing.htm"), At("missing"), longPath, At("D/S/README")}, list, files);
    EXPECT_EQ(Paths(files), (std::vector<std::string>{At("missing.htm"), longPath}));
}

TEST_F(DropIntake, WalksLinksToFoldersAndRepeatsRepeatedDrops) {
    TakeDroppedPaths({At("L/"), At("D"), At("a.htm"), At("a.htm")}, list, files);
    std::vector<std::string> expected = WalkOf(At("L"));
    for (const std::string& path : WalkOf(At("D"))) {
        expected.push_back(path);
    }
    expected.push_back(At("a.htm"));
    expected.push_back(At("a.htm"));
    EXPECT_EQ(Paths(files), expected);
}

TEST_F(DropIntake, NothingAcceptedWhenTheExtensionIsOff) {
    const ExtensionList defaults = ExtensionList::WithDefaults();
    TakeDroppedPaths({At("a.htm"), At("D")}, defaults, files);
    EXPECT_EQ(files.Count(), 0U);
    TakeDroppedPaths({}, list, files);
    EXPECT_EQ(files.Count(), 0U);
}

// The window tells from the outcome why a drop brought less than expected.
TEST_F(DropIntake, TellsWhatItTookAndWhatTheFilterLeftOut) {
    tree.MakeFile("D/S/README");
    const IntakeOutcome none =
        TakeDroppedPaths({At("c.txt"), At("D"), At("a.htm")}, ExtensionList::WithDefaults(), files);
    EXPECT_EQ(none.taken, 0U);
    EXPECT_EQ(none.named.count, 2U);
    EXPECT_EQ(none.named.first, At("c.txt"));
    EXPECT_EQ(none.named.extensions, (std::vector<std::string>{".TXT", ".HTM"}));
    EXPECT_EQ(none.found.count, 4U);
    EXPECT_EQ(none.found.extensions, std::vector<std::string>{".HTM"});

    const IntakeOutcome some = TakeDroppedPaths({At("c.txt"), At("D"), At("a.htm")}, list, files);
    EXPECT_EQ(some.taken, 4U);
    EXPECT_EQ(some.named.count, 1U);
    EXPECT_EQ(some.found.count, 1U);
    EXPECT_TRUE(some.found.extensions.empty());
}

TEST_F(DropIntake, AFullListEndsTheIntakeKeepingTheEntriesBefore) {
    FileList small(2);
    EXPECT_THROW(TakeDroppedPaths({At("a.htm"), At("b.htm"), At("D")}, list, small), ListFullError);
    EXPECT_EQ(Paths(small), (std::vector<std::string>{At("a.htm"), At("b.htm")}));
}

// The caller may repaint its window between any two entries, also where a
// folder holds nothing that is taken.
TEST_F(DropIntake, PausesAfterEveryEntryWithTheEntriesSoFarListed) {
    std::vector<std::size_t> seen;
    TakeDroppedPaths({At("a.htm"), At("D"), At("c.txt"), At("b.htm")}, list, files,
                     [&] { seen.push_back(files.Count()); });
    for (std::size_t count = 1; count <= files.Count(); ++count) {
        EXPECT_NE(std::find(seen.begin(), seen.end(), count), seen.end()) << count;
    }
    EXPECT_EQ(seen.back(), files.Count());

    TempFolder nothingTaken;
    nothingTaken.MakeFolder("S");
    nothingTaken.MakeFile("S/x.txt");
    seen.clear();
    TakeDroppedPaths({nothingTaken.Path()}, list, files, [&] { seen.push_back(files.Count()); });
    EXPECT_GE(seen.size(), 2U);
}

} // namespace
} // namespace glyphwright

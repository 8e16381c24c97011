#include "cli/FileSelection.h"

#include "cli/BackupSelection.h"
#include "files/collect/DropIntake.h"
#include "files/collect/FileList.h"
#include "files/io/StopFlag.h"
#include "tests/files/FileTesting.h"
#include "tests/files/TempFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace glyphwright::cli {
namespace {

using glyphwright::testing::TempFolder;
using glyphwright::testing::WriteBytes;

class FileSelectionTest : public ::testing::Test {
protected:
    FileSelectionTest() {
        tree.MakeFolder("D");
        tree.MakeFolder("D/S");
        tree.MakeFile("D/S/y.htm");
        tree.MakeFile("D/x.HTM");
        tree.MakeFile("D/z.php");
        tree.MakeFile("a.txt");
        tree.MakeLink("toD", "D");
        tree.MakeLink("dangling", "nothing");
    }
    std::string At(const std::string& name) const { return tree.Path() + "/" + name; }

    TempFolder tree;
};

std::vector<std::string> Paths(const FileList& files) {
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < files.Count(); ++i) {
        paths.push_back(files.Path(i));
    }
    return paths;
}

Invocation WithExtensions(std::vector<std::string> extensions) {
    Invocation invocation;
    invocation.extensions = std::move(extensions);
    return invocation;
}

TEST_F(FileSelectionTest, KindsOfPaths) {
    ASSERT_EQ(mkfifo(At("fifo").c_str(), 0644), 0);
    EXPECT_EQ(KindOf(At("D")), PathKind::Folder);
    EXPECT_EQ(KindOf(At("toD")), PathKind::Folder);
    EXPECT_EQ(KindOf(At("D/")), PathKind::Folder);
    EXPECT_EQ(KindOf(At("a.txt")), PathKind::File);
    EXPECT_EQ(KindOf(At("fifo")), PathKind::File); // refused later, with its own message
    EXPECT_EQ(KindOf(At("missing.htm")), PathKind::Missing);
    EXPECT_EQ(KindOf(At("dangling")), PathKind::Missing);
    EXPECT_EQ(KindOf(At("a.txt/x")), PathKind::Missing);
    EXPECT_EQ(KindOf(""), PathKind::Missing);
}

TEST_F(FileSelectionTest, TakesPathsLikeADropButNamedFilesWhateverTheirExtension) {
    const ExtensionList filter = FolderFilter(WithExtensions({".HTM"}), true);
    FileList files;
    const std::vector<std::string> missing =
        TakePaths({At("a.txt"), At("D"), At("gone"), At("toD/"), At("D/z.php")}, filter, files);
    EXPECT_EQ(missing, std::vector<std::string>{At("gone")});

    FileList window;
    TakeDroppedPaths({At("D"), At("toD/")}, filter, window);
    std::vector<std::string> expected{At("a.txt")};
    for (const std::string& path : Paths(window)) {
        expected.push_back(path);
    }
    expected.push_back(At("D/z.php"));
    EXPECT_EQ(Paths(files), expected);
    EXPECT_EQ(files.Count(), 6u);
}

TEST_F(FileSelectionTest, ARequestedStopEndsAWalkAfterItsFirstEntry) {
    tree.MakeFolder("many");
    for (int i = 0; i < 50; ++i) {
        tree.MakeFile("many/" + std::to_string(i) + ".htm");
        tree.MakeFile("many/" + std::to_string(i) + ".htm._backup_");
    }
    const ExtensionList filter = FolderFilter(WithExtensions({".HTM"}), true);
    StopFlag stop;
    stop.Request(SIGINT);
    FileList files;
    EXPECT_TRUE(TakePaths({At("many"), At("D")}, filter, files, &stop).empty());
    EXPECT_LE(files.Count(), 1u);
    EXPECT_LE(TakeBackups({At("many"), At("D")}, filter, &stop).pairs.size(), 1u);
}

TEST_F(FileSelectionTest, FilterFromTheExtOptionOrASettingsFile) {
    const ExtensionList fromOption = FolderFilter(WithExtensions({".PHP", ".HTM"}), true);
    ASSERT_EQ(fromOption.Count(), 2u);
    EXPECT_TRUE(fromOption.Mark(0) && fromOption.Mark(1));
    EXPECT_EQ(fromOption.Text(0), ".HTM");

    Invocation named;
    named.settingsFile = At("site.ini");
    WriteBytes(*named.settingsFile, "[Ext]\n.php=1\n.HTM=0\n");
    const ExtensionList fromFile = FolderFilter(named, true);
    ASSERT_EQ(fromFile.Count(), 2u);
    EXPECT_EQ(fromFile.Text(*fromFile.Find(".PHP")), ".php");
    EXPECT_TRUE(fromFile.Mark(*fromFile.Find(".PHP")));
    EXPECT_FALSE(fromFile.Mark(*fromFile.Find(".HTM")));

    // A named file must exist, folder or not; nothing marked matters only for folders.
    WriteBytes(*named.settingsFile, "[Ext]\n.HTM=0\n");
    EXPECT_NO_THROW(FolderFilter(named, false));
    EXPECT_THROW(FolderFilter(named, true), UsageError);
    named.settingsFile = At("none.ini");
    EXPECT_THROW(FolderFilter(named, false), UsageError);
    EXPECT_THROW(FolderFilter(WithExtensions({}), true), UsageError);
    EXPECT_NO_THROW(FolderFilter(WithExtensions({}), false));
}

TEST(WindowSettingsPath, IsTheWindowsFileNotOneOfTheToolsOwn) {
    const std::string path = WindowSettingsPath();
    EXPECT_NE(path.find("glyphwright.ini"), std::string::npos) << path;
    EXPECT_EQ(path.find("glyphwright-cli"), std::string::npos) << path;
}

} // namespace
} // namespace glyphwright::cli

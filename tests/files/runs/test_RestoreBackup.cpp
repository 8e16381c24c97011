#include "files/runs/RestoreBackup.h"

#include "files/io/FileErrors.h"

#include "tests/files/FileTesting.h"
#include "tests/files/TempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace glyphwright {
namespace {

using testing::NamesIn;
using testing::ReadBytes;
using testing::WriteBytes;

using Names = std::vector<std::string>;

TEST(BackedUpPath, ThePathWithoutItsLastBackupSuffix) {
    EXPECT_EQ(BackedUpPath("/w/index.htm._backup_"), "/w/index.htm");
    EXPECT_EQ(BackedUpPath("a._backup_._backup_"), "a._backup_");
    EXPECT_EQ(BackedUpPath("README._backup_"), "README");
    EXPECT_EQ(BackedUpPath("/w/index.htm"), std::nullopt);
    EXPECT_EQ(BackedUpPath("index.htm._BACKUP_"), std::nullopt);
    EXPECT_EQ(BackedUpPath("._backup_"), std::nullopt);
    EXPECT_EQ(BackedUpPath("/w/._backup_"), std::nullopt);
}

class RestoreBackupTest : public ::testing::Test {
protected:
    std::string At(const std::string& name) const { return folder.Path() + "/" + name; }

    glyphwright::testing::TempFolder folder;
};

// The backup's bytes exactly, whatever they hold; the file is made when missing.
TEST_F(RestoreBackupTest, PutsTheBackupBackAndRemovesItUnlessKept) {
    struct Case {
        bool fileThere;
        bool keep;
        Names namesAfter;
    };
    for (const Case& c : {Case{true, false, {"a.htm"}}, Case{false, false, {"a.htm"}},
                          Case{true, true, {"a.htm", "a.htm._backup_"}}}) {
        if (c.fileThere) {
            WriteBytes(At("a.htm"), "&auml;\r\n");
        }
        WriteBytes(At("a.htm._backup_"), "\xE4\r\nlf\nno end", 0600);
        const RestoreOutcome outcome =
            RestoreBackup(At("a.htm._backup_"), At("a.htm"), {.keep = c.keep});
        EXPECT_TRUE(outcome.restored);
        EXPECT_FALSE(outcome.failure) << DebugText(*outcome.failure);
        EXPECT_EQ(ReadBytes(At("a.htm")), "\xE4\r\nlf\nno end");
        // A file made again is as private as its backup; one still there keeps its bits.
        struct stat info {};
        ASSERT_EQ(stat(At("a.htm").c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, c.fileThere ? 0644u : 0600u);
        EXPECT_EQ(NamesIn(folder.Path()), c.namesAfter);
        unlink(At("a.htm").c_str());
        unlink(At("a.htm._backup_").c_str());
    }
}

// A backup that is a link or no regular file is not followed, read or removed.
TEST_F(RestoreBackupTest, RefusesALinkOrAnythingButARegularFile) {
    WriteBytes(At("elsewhere"), "other");
    folder.MakeLink("link.htm._backup_", "elsewhere");
    folder.MakeLink("dangling.htm._backup_", "nothing");
    folder.MakeFolder("dir.htm._backup_");
    ASSERT_EQ(mkfifo(At("fifo.htm._backup_").c_str(), 0644), 0);
    // Sparse: too large to be read whole, and never read.
    WriteBytes(At("huge.htm._backup_"), "");
    ASSERT_EQ(truncate(At("huge.htm._backup_").c_str(), off_t{1} << 31), 0);
    const std::vector<std::pair<std::string, FailureKind>> cases{
        {"huge.htm", FailureKind::TooLarge},         {"link.htm", FailureKind::BackupIsLink},
        {"dangling.htm", FailureKind::BackupIsLink}, {"dir.htm", FailureKind::BackupNotRegular},
        {"fifo.htm", FailureKind::BackupNotRegular},
    };
    for (const auto& [name, kind] : cases) {
        WriteBytes(At(name), "kept");
        const std::string backup = At(name + "._backup_");
        const RestoreOutcome outcome = RestoreBackup(backup, At(name));
        EXPECT_FALSE(outcome.restored) << name;
        EXPECT_EQ(outcome.failure, (FileFailure{kind, backup, 0, {}})) << name;
        EXPECT_EQ(ReadBytes(At(name)), "kept");
        struct stat info {};
        EXPECT_EQ(lstat(backup.c_str(), &info), 0) << name;
    }
    EXPECT_EQ(ReadBytes(At("elsewhere")), "other");

    const RestoreOutcome missing = RestoreBackup(At("none._backup_"), At("none"));
    EXPECT_FALSE(missing.restored);
    EXPECT_EQ(missing.failure, (FileFailure{FailureKind::Open, At("none._backup_"), ENOENT, {}}));
    EXPECT_FALSE(ReadBytes(At("none")).has_value());
}

// Another user's link beside their own backup: root's restore must not put
// their text into what the link names.
TEST_F(RestoreBackupTest, ALinkOfAnotherUserIsNotWrittenThrough) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "needs root to give links to another user";
    }
    WriteBytes(At("passwd"), "root:x:0:0\n");
    folder.MakeLink("x.htm", At("passwd"));
    ASSERT_EQ(lchown(At("x.htm").c_str(), 1000, 1000), 0);
    WriteBytes(At("x.htm._backup_"), "hacker::0:0\n");
    ASSERT_EQ(chown(At("x.htm._backup_").c_str(), 1000, 1000), 0);
    const RestoreOutcome outcome = RestoreBackup(At("x.htm._backup_"), At("x.htm"));
    EXPECT_FALSE(outcome.restored);
    EXPECT_EQ(outcome.failure, (FileFailure{FailureKind::ForeignLink, At("x.htm"), 0, {}}));
    EXPECT_EQ(ReadBytes(At("passwd")), "root:x:0:0\n");
    EXPECT_EQ(NamesIn(folder.Path()), (Names{"passwd", "x.htm", "x.htm._backup_"}));
}

// The file stays as it was, and so does its backup, for another try.
TEST_F(RestoreBackupTest, AFileThatMayNotBeWrittenKeepsItsBackup) {
    WriteBytes(At("ro.htm"), "&ouml;\r\n", 0444);
    WriteBytes(At("ro.htm._backup_"), "\xF6\r\n");
    const RestoreOutcome outcome = RestoreBackup(At("ro.htm._backup_"), At("ro.htm"));
    EXPECT_FALSE(outcome.restored);
    EXPECT_EQ(outcome.failure, CreateError::ReadOnly(At("ro.htm")).Failure());
    EXPECT_EQ(ReadBytes(At("ro.htm")), "&ouml;\r\n");
    EXPECT_EQ(ReadBytes(At("ro.htm._backup_")), "\xF6\r\n");
}

// The backup is removed only while it is still the file that was read: here
// the file is a link to its own backup, so the restore writes a new file
// under the backup's name, and that one holds the only copy of the text.
TEST_F(RestoreBackupTest, AFileThatTookTheBackupsNameStays) {
    WriteBytes(At("x.htm._backup_"), "\xE4\r\n");
    folder.MakeLink("x.htm", "x.htm._backup_");
    const RestoreOutcome outcome = RestoreBackup(At("x.htm._backup_"), At("x.htm"));
    EXPECT_TRUE(outcome.restored);
    EXPECT_EQ(outcome.failure,
              (FileFailure{FailureKind::BackupReplaced, At("x.htm._backup_"), 0, {}}));
    EXPECT_EQ(ReadBytes(At("x.htm")), "\xE4\r\n");
    EXPECT_EQ(NamesIn(folder.Path()), (Names{"x.htm", "x.htm._backup_"}));
}

} // namespace
} // namespace glyphwright

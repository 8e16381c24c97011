#include "settings/SettingsFile.h"

#include "tests/settings/SettingsTestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace glyphwright;
using glyphwright::testing::ModeOf;
using glyphwright::testing::ReadBytes;
using glyphwright::testing::ScratchFolder;
using glyphwright::testing::WriteBytes;
using Names = std::vector<std::string>;

namespace {

// Lets writes fail past a few bytes, as on a full disk, for one scope.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = saved_;
        limited.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limited);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
};

} // namespace

TEST(SettingsFile, ProbeCountsRegularFilesWhateverTheirTime) {
    ScratchFolder folder;
    const std::string file = folder / "old.ini";
    WriteBytes(file, "[Ext]\r\n");
    const timespec epoch[2] = {{0, 0}, {0, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), epoch, 0), 0);

    EXPECT_EQ(ProbeFile(file), FilePresence::Present);
    EXPECT_EQ(ProbeFile(folder / "missing.ini"), FilePresence::Absent);
    EXPECT_EQ(ProbeFile(folder.Path()), FilePresence::Absent);
    EXPECT_EQ(ProbeFile(file + "/below"), FilePresence::Absent);
}

TEST(SettingsFile, ReadsAndWritesEveryByte) {
    ScratchFolder folder;
    const std::string file = folder / "conv.ini";
    std::string bytes;
    for (int i = 0; i < 200000; ++i) {
        bytes += static_cast<char>(i * 7);
    }
    WriteFileAtomically(file, bytes);
    EXPECT_EQ(ReadWholeFile(file), bytes);
    WriteFileAtomically(file, "");
    EXPECT_EQ(ReadWholeFile(file), "");
    EXPECT_EQ(folder.Names(), Names{"conv.ini"});
    EXPECT_THROW(ReadWholeFile(folder / "missing.ini"), SettingsReadError);
}

TEST(SettingsFile, KeepsPermissionBitsAndGivesNewFilesTheUmaskDefault) {
    ScratchFolder folder;
    const std::string file = folder / "conv.ini";
    const mode_t savedUmask = ::umask(027);
    WriteFileAtomically(file, "new");
    ::umask(savedUmask);
    EXPECT_EQ(ModeOf(file), 0640u);

    ASSERT_EQ(::chmod(file.c_str(), 0604), 0);
    WriteFileAtomically(file, "again");
    EXPECT_EQ(ModeOf(file), 0604u);
    EXPECT_EQ(ReadBytes(file), "again");
}

TEST(SettingsFile, WritesThroughASymbolicLink) {
    ScratchFolder folder;
    WriteBytes(folder / "real.ini", "old");
    ASSERT_EQ(::symlink("real.ini", (folder / "conv.ini").c_str()), 0);
    WriteFileAtomically(folder / "conv.ini", "new");
    struct stat st {};
    ASSERT_EQ(::lstat((folder / "conv.ini").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(ReadBytes(folder / "real.ini"), "new");
}

TEST(SettingsFile, RefusesAReadOnlyFileOrFolderEvenForRoot) {
    ScratchFolder folder;
    const std::string file = folder / "conv.ini";
    WriteBytes(file, "old");
    ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
    EXPECT_FALSE(IsWritable(file));
    EXPECT_THROW(WriteFileAtomically(file, "new"), SettingsWriteError);
    EXPECT_EQ(ReadBytes(file), "old");
    EXPECT_EQ(ModeOf(file), 0444u);

    ASSERT_EQ(::chmod(file.c_str(), 0644), 0);
    ASSERT_EQ(::chmod(folder.Path().c_str(), 0555), 0);
    EXPECT_FALSE(IsWritable(folder.Path()));
    EXPECT_THROW(WriteFileAtomically(file, "new"), SettingsWriteError);
    EXPECT_THROW(WriteFileAtomically(folder / "other.ini", "new"), SettingsWriteError);
    ASSERT_EQ(::chmod(folder.Path().c_str(), 0755), 0);
    EXPECT_EQ(ReadBytes(file), "old");
    EXPECT_EQ(folder.Names(), Names{"conv.ini"});
}

TEST(SettingsFile, AFailedWriteLeavesTheOldFileAndNoTemporaryFile) {
    ScratchFolder folder;
    const std::string file = folder / "conv.ini";
    WriteBytes(file, "old contents");
    {
        FileSizeLimit limit(4);
        EXPECT_THROW(WriteFileAtomically(file, std::string(100, 'x')), SettingsWriteError);
    }
    EXPECT_EQ(ReadBytes(file), "old contents");
    EXPECT_EQ(folder.Names(), Names{"conv.ini"});
}

TEST(SettingsFile, RefusesToReplaceAFolder) {
    ScratchFolder folder;
    ASSERT_EQ(::mkdir((folder / "conv.ini").c_str(), 0755), 0);
    EXPECT_THROW(WriteFileAtomically(folder / "conv.ini", "x"), SettingsWriteError);
    EXPECT_THROW(WriteFileAtomically(folder / "missing/conv.ini", "x"), SettingsWriteError);
}

TEST(SettingsFile, CreatesMissingFoldersPrivately) {
    ScratchFolder folder;
    const std::string deep = folder / "config/glyphwright";
    CreateFolders(deep);
    EXPECT_EQ(ModeOf(deep), 0700u);
    EXPECT_EQ(ModeOf(folder / "config"), 0700u);
    EXPECT_NO_THROW(CreateFolders(deep));

    WriteBytes(folder / "file", "");
    EXPECT_THROW(CreateFolders(folder / "file/below"), SettingsWriteError);
}

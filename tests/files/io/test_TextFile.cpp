#include "files/io/FileErrors.h"
#include "files/io/FileReplace.h"
#include "files/io/TextFile.h"
#include "tests/files/FileTesting.h"
#include "tests/files/LineFiles.h"
#include "tests/files/TempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <new>
#include <optional>
#include <string>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

namespace glyphwright {
namespace {

using testing::LoadTextFile;
using testing::NamesIn;
using testing::ReadBytes;
using testing::SaveTextFile;
using testing::WriteBytes;

using Names = std::vector<std::string>;

// The failure that f throws as Error, or nothing when it throws none.
template <typename Error, typename F> std::optional<FileFailure> ThrownFailure(F&& f) {
    try {
        f();
    } catch (const Error& error) {
        return error.Failure();
    }
    return std::nullopt;
}

struct stat StatOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(lstat(path.c_str(), &info), 0) << path;
    return info;
}

class TextFileTest : public ::testing::Test {
protected:
    std::string At(const std::string& name) const { return folder.Path() + "/" + name; }

    // Loads and saves the file back as the conversion runs do.
    void RoundTrip(const std::string& path) { SaveTextFile(LoadTextFile(path), path); }

    glyphwright::testing::TempFolder folder;
};

TEST_F(TextFileTest, RoundTripEdgeCases) {
    struct Case {
        std::string before;
        std::string after;
    };
    const std::vector<Case> cases = {
        {"", ""},                       // empty stays 0 bytes
        {"a\nb\n", "a\r\nb\r\n"},       // one more byte per LF line
        {"a\r\nlast", "a\r\nlast\r\n"}, // final CR LF added
        {"\r\n", "\r\n"},               // one empty line
        {"x\n\ry", "x\r\n\r\ny\r\n"},   // LF CR: an empty line between
        {"t \t\r\n\r\n\x80\xE4\xFF \r\n", "t \t\r\n\r\n\x80\xE4\xFF \r\n"},
        {"\xEF\xBB\xBF<p>\r\n", "\xEF\xBB\xBF<p>\r\n"}, // byte-order mark kept
    };
    for (const Case& c : cases) {
        const std::string path = At("page.htm");
        WriteBytes(path, c.before);
        RoundTrip(path);
        EXPECT_EQ(ReadBytes(path), c.after) << "from " << c.before.size() << " bytes";
    }
    EXPECT_EQ(NamesIn(folder.Path()), Names{"page.htm"}) << "no temporary file left";
}

TEST_F(TextFileTest, SaveCreatesAMissingFileAndReplacesAnExistingOne) {
    const LineList lines = SplitLines("eins\nzwei");
    SaveTextFile(lines, At("new.htm"));
    EXPECT_EQ(ReadBytes(At("new.htm")), "eins\r\nzwei\r\n");
    const mode_t mask = umask(022);
    umask(mask);
    EXPECT_EQ(StatOf(At("new.htm")).st_mode & 07777, 0666 & ~mask);

    WriteBytes(At("old.htm"), "a much longer old content that must vanish\n");
    SaveTextFile(lines, At("old.htm"));
    EXPECT_EQ(ReadBytes(At("old.htm")), "eins\r\nzwei\r\n");
    SaveTextFile(LineList(), At("old.htm"));
    EXPECT_EQ(ReadBytes(At("old.htm")), "");
    EXPECT_EQ(NamesIn(folder.Path()), (Names{"new.htm", "old.htm"}));
}

TEST_F(TextFileTest, BackupPathAppendsToEverything) {
    EXPECT_EQ(BackupPath("/web/index.html"), "/web/index.html._backup_");
    EXPECT_EQ(BackupPath("a._backup_"), "a._backup_._backup_");
    EXPECT_EQ(BackupPath(""), "._backup_");
}

TEST_F(TextFileTest, MissingFileOrFolder) {
    const std::string missing = At("missing.htm");
    EXPECT_EQ(ThrownFailure<OpenError>([&] { LoadTextFile(missing); }),
              OpenError(missing, ENOENT).Failure());
    const std::string inMissingFolder = At("nofolder/page.htm");
    EXPECT_EQ(ThrownFailure<OpenError>([&] { LoadTextFile(inMissingFolder); }),
              OpenError(inMissingFolder, ENOENT).Failure());
    EXPECT_EQ(ThrownFailure<CreateError>([&] { SaveTextFile(SplitLines("x"), inMissingFolder); }),
              CreateError(inMissingFolder, ENOENT).Failure());
    // The path is named as given, not made absolute or cleaned up.
    EXPECT_EQ(ThrownFailure<OpenError>([] { LoadTextFile("./gibt/es/nicht.htm"); }),
              OpenError("./gibt/es/nicht.htm", ENOENT).Failure());
    EXPECT_TRUE(NamesIn(folder.Path()).empty()) << "nothing created";
}

TEST_F(TextFileTest, VanishedFile) {
    const std::string path = At("gone.htm");
    WriteBytes(path, "x\r\n");
    ASSERT_EQ(unlink(path.c_str()), 0);
    EXPECT_THROW(LoadTextFile(path), OpenError);
    EXPECT_TRUE(NamesIn(folder.Path()).empty());
}

TEST_F(TextFileTest, ReadOnlyFileLoadsButIsNotReplaced) {
    // No write bit in the mode: refused also for root, which the kernel would let write.
    const std::string path = At("ro.htm");
    WriteBytes(path, "alt\n", 0444);
    const ino_t inode = StatOf(path).st_ino;
    const LineList lines = LoadTextFile(path);
    ASSERT_EQ(lines.Count(), 1u);
    EXPECT_EQ(ThrownFailure<CreateError>([&] { SaveTextFile(SplitLines("neu"), path); }),
              CreateError::ReadOnly(path).Failure());
    EXPECT_EQ(ReadBytes(path), "alt\n");
    EXPECT_EQ(StatOf(path).st_mode & 07777, 0444u);
    EXPECT_EQ(StatOf(path).st_ino, inode);
    EXPECT_EQ(NamesIn(folder.Path()), Names{"ro.htm"});
}

TEST_F(TextFileTest, FileThisProcessMayNotWriteIsRefusedInAWritableFolder) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "needs root to make a file of another user";
    }
    // Root's file with write bits, in a folder anyone may write: a rename
    // would succeed, but the process may not write the file itself.
    ASSERT_EQ(chmod(folder.Path().c_str(), 0777), 0);
    const std::string path = At("roots.htm");
    WriteBytes(path, "alt\n", 0644);
    const int code = testing::RunInChild(
        [&] {
            try {
                SaveTextFile(SplitLines("neu"), path);
            } catch (const CreateError&) {
                return 0;
            }
            return 1;
        },
        true);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(ReadBytes(path), "alt\n");
    EXPECT_EQ(NamesIn(folder.Path()), Names{"roots.htm"});
}

TEST_F(TextFileTest, FolderWithoutRoomForATemporaryFileIsWrittenInPlace) {
    const std::string path = At("mine.htm");
    WriteBytes(path, "alt\n", 0640);
    const ino_t inode = StatOf(path).st_ino;
    const bool asRoot = geteuid() == 0;
    if (asRoot) {
        // Root may always create files; the folder only stops another user.
        ASSERT_EQ(chown(path.c_str(), testing::kUnprivilegedId, testing::kUnprivilegedId), 0);
    }
    ASSERT_EQ(chmod(folder.Path().c_str(), 0555), 0);
    const int code = testing::RunInChild(
        [&] {
            SaveTextFile(SplitLines("neu und l\xE4nger als vorher"), path);
            return 0;
        },
        asRoot);
    ASSERT_EQ(chmod(folder.Path().c_str(), 0755), 0);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(ReadBytes(path), "neu und l\xE4nger als vorher\r\n");
    EXPECT_EQ(StatOf(path).st_ino, inode);
    EXPECT_EQ(StatOf(path).st_mode & 07777, 0640u);
    EXPECT_EQ(NamesIn(folder.Path()), Names{"mine.htm"});
}

TEST_F(TextFileTest, ReplacementIsARenameThatKeepsPermissionBits) {
    for (const mode_t mode : {0600, 0640, 0755, 0604}) {
        const std::string path = At("keep.htm");
        WriteBytes(path, "a\n");
        ASSERT_EQ(chmod(path.c_str(), mode), 0);
        const ino_t inode = StatOf(path).st_ino;
        RoundTrip(path);
        EXPECT_EQ(ReadBytes(path), "a\r\n");
        EXPECT_EQ(StatOf(path).st_mode & 07777, mode);
        // A new inode: the old file was replaced whole, never emptied first.
        EXPECT_NE(StatOf(path).st_ino, inode);
        EXPECT_EQ(NamesIn(folder.Path()), Names{"keep.htm"});
    }
}

TEST_F(TextFileTest, OwnerIsKeptWherePossible) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "only root may give a file to another user";
    }
    const std::string path = At("theirs.htm");
    WriteBytes(path, "a\n");
    ASSERT_EQ(chown(path.c_str(), testing::kUnprivilegedId, testing::kUnprivilegedId), 0);
    RoundTrip(path);
    EXPECT_EQ(StatOf(path).st_uid, testing::kUnprivilegedId);
    EXPECT_EQ(StatOf(path).st_gid, testing::kUnprivilegedId);
}

// The ACL as the kernel stores it: user::rw-, user:65534:r--, group::r--,
// mask::r--, other::---.
std::string AccessAcl() {
    std::string acl;
    const auto put = [&acl](unsigned value, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            acl += static_cast<char>((value >> (8 * i)) & 0xFF);
        }
    };
    put(2, 4); // version
    const unsigned entries[][3] = {{0x01, 6, 0xFFFFFFFF},
                                   {0x02, 4, testing::kUnprivilegedId},
                                   {0x04, 4, 0xFFFFFFFF},
                                   {0x10, 4, 0xFFFFFFFF},
                                   {0x20, 0, 0xFFFFFFFF}};
    for (const auto& entry : entries) {
        put(entry[0], 2);
        put(entry[1], 2);
        put(entry[2], 4);
    }
    return acl;
}

std::optional<std::string> Attribute(const std::string& path, const char* name) {
    char value[1024];
    const ssize_t size = getxattr(path.c_str(), name, value, sizeof value);
    if (size < 0) {
        return std::nullopt;
    }
    return std::string(value, static_cast<std::size_t>(size));
}

TEST_F(TextFileTest, ExtendedAttributesAndTheAclGoToTheNewFile) {
    const std::string path = At("acl.htm");
    WriteBytes(path, "a\n", 0640);
    const std::string acl = AccessAcl();
    if (setxattr(path.c_str(), "user.glyphwright", "wert", 4, 0) != 0 ||
        setxattr(path.c_str(), "system.posix_acl_access", acl.data(), acl.size(), 0) != 0) {
        GTEST_SKIP() << "the temp folder's file system takes no user attributes or ACLs";
    }
    const ino_t inode = StatOf(path).st_ino;
    RoundTrip(path);
    EXPECT_NE(StatOf(path).st_ino, inode);
    EXPECT_EQ(ReadBytes(path), "a\r\n");
    EXPECT_EQ(Attribute(path, "user.glyphwright"), "wert");
    EXPECT_EQ(Attribute(path, "system.posix_acl_access"), acl);
    EXPECT_EQ(StatOf(path).st_mode & 07777, 0640u);
}

TEST_F(TextFileTest, FileWhoseOwnerCannotBeKeptIsWrittenInPlace) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "needs root to make a file of another user";
    }
    // Root's file that the group nogroup may write, in a shared folder; the
    // member of that group who converts it could not give a new file to root.
    ASSERT_EQ(chmod(folder.Path().c_str(), 0777), 0);
    const std::string path = At("shared.htm");
    WriteBytes(path, "alt\n");
    ASSERT_EQ(chown(path.c_str(), 0, testing::kUnprivilegedId), 0);
    ASSERT_EQ(chmod(path.c_str(), 0664), 0);
    const ino_t inode = StatOf(path).st_ino;
    const int code = testing::RunInChild(
        [&] {
            SaveTextFile(SplitLines("neu und l\xE4nger"), path);
            return 0;
        },
        true);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(ReadBytes(path), "neu und l\xE4nger\r\n");
    EXPECT_EQ(StatOf(path).st_ino, inode);
    EXPECT_EQ(StatOf(path).st_uid, 0u);
    EXPECT_EQ(StatOf(path).st_gid, testing::kUnprivilegedId);
    EXPECT_EQ(StatOf(path).st_mode & 07777, 0664u);
    EXPECT_EQ(NamesIn(folder.Path()), Names{"shared.htm"});
}

TEST_F(TextFileTest, SymbolicLinkStaysALinkAndItsTargetChanges) {
    folder.MakeFolder("real");
    WriteBytes(At("real/page.htm"), "x\n", 0640);
    folder.MakeLink("link.htm", "real/page.htm");
    folder.MakeLink("chain.htm", "link.htm");
    RoundTrip(At("chain.htm"));
    EXPECT_TRUE(S_ISLNK(StatOf(At("link.htm")).st_mode));
    EXPECT_TRUE(S_ISLNK(StatOf(At("chain.htm")).st_mode));
    EXPECT_EQ(ReadBytes(At("real/page.htm")), "x\r\n");
    EXPECT_EQ(StatOf(At("real/page.htm")).st_mode & 07777, 0640u);
    EXPECT_EQ(NamesIn(folder.Path()), (Names{"chain.htm", "link.htm", "real"}));
    EXPECT_EQ(NamesIn(At("real")), Names{"page.htm"});
}

TEST_F(TextFileTest, DanglingLinkIsRefusedAndNothingCreated) {
    folder.MakeLink("dangling.htm", "nowhere.htm");
    EXPECT_THROW(SaveTextFile(SplitLines("x"), At("dangling.htm")), CreateError);
    EXPECT_EQ(NamesIn(folder.Path()), Names{"dangling.htm"});
}

TEST_F(TextFileTest, HardLinkedFileIsWrittenInPlace) {
    WriteBytes(At("one.htm"), "a\nb\n");
    ASSERT_EQ(link(At("one.htm").c_str(), At("two.htm").c_str()), 0);
    const ino_t inode = StatOf(At("one.htm")).st_ino;
    SaveTextFile(SplitLines("k\xFCrzer"), At("one.htm"));
    EXPECT_EQ(ReadBytes(At("two.htm")), "k\xFCrzer\r\n");
    EXPECT_EQ(StatOf(At("one.htm")).st_ino, inode);
    EXPECT_EQ(StatOf(At("two.htm")).st_nlink, 2u);
    SaveTextFile(SplitLines("viel l\xE4nger als zuvor\nzwei"), At("two.htm"));
    EXPECT_EQ(ReadBytes(At("one.htm")), "viel l\xE4nger als zuvor\r\nzwei\r\n");
    EXPECT_EQ(NamesIn(folder.Path()), (Names{"one.htm", "two.htm"}));
}

TEST_F(TextFileTest, FileWithNulIsRefused) {
    const std::string path = At("nul.htm");
    WriteBytes(path, std::string("vor\0nach\r\n", 10));
    EXPECT_EQ(ThrownFailure<UnsupportedFileError>([&] { LoadTextFile(path); }),
              UnsupportedFileError::HoldsNul(path).Failure());
}

TEST_F(TextFileTest, FileOfTwoGibibytesIsRefusedWithoutReading) {
    for (const off_t size : {off_t{1} << 31, (off_t{1} << 32) + 5}) {
        const std::string path = At("huge.htm");
        WriteBytes(path, "");
        ASSERT_EQ(truncate(path.c_str(), size), 0); // sparse: no blocks written
        EXPECT_EQ(ThrownFailure<UnsupportedFileError>([&] { LoadTextFile(path); }),
                  UnsupportedFileError::TooLarge(path).Failure());
        EXPECT_EQ(StatOf(path).st_size, size);
    }
}

TEST_F(TextFileTest, OnlyRegularFilesAreReadOrReplaced) {
    const std::string fifo = At("pipe.htm");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
    folder.MakeFolder("folder.htm");
    const std::string socketPath = At("socket.htm");
    const int socketFd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    socketPath.copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(bind(socketFd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    folder.MakeLink("tty.htm", "/dev/tty");
    // Neither call may wait for a writer or reader on the FIFO, nor open the
    // terminal or the socket.
    const std::vector<std::pair<std::string, unsigned>> cases = {
        {fifo, S_IFIFO},          {At("folder.htm"), S_IFDIR}, {"/dev/null", S_IFCHR},
        {At("tty.htm"), S_IFCHR}, {socketPath, S_IFSOCK},
    };
    for (const auto& [path, type] : cases) {
        EXPECT_EQ(ThrownFailure<UnsupportedFileError>([&] { LoadTextFile(path); }),
                  UnsupportedFileError::NotRegular(path, type).Failure());
    }
    close(socketFd);
    EXPECT_THROW(SaveTextFile(SplitLines("x"), fifo), CreateError);
    EXPECT_THROW(SaveTextFile(SplitLines("x"), At("folder.htm")), CreateError);
    EXPECT_TRUE(S_ISFIFO(StatOf(fifo).st_mode));
    EXPECT_TRUE(S_ISDIR(StatOf(At("folder.htm")).st_mode));
    EXPECT_EQ(NamesIn(folder.Path()), (Names{"folder.htm", "pipe.htm", "socket.htm", "tty.htm"}));
}

TEST_F(TextFileTest, AWriterWaitingOnAFifoIsNotReleased) {
    const std::string fifo = At("feed.htm");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
    const pid_t writer = fork();
    if (writer == 0) {
        // Waits in open until a reader comes; a reader would take its text.
        const int fd = open(fifo.c_str(), O_WRONLY);
        _exit(fd >= 0 ? 0 : 1);
    }
    // Until the writer waits in its open.
    const std::string wchan = "/proc/" + std::to_string(writer) + "/wchan";
    for (int i = 0; i < 500 && ReadBytes(wchan).value_or("0") == "0"; ++i) {
        usleep(2000);
    }
    EXPECT_THROW(LoadTextFile(fifo), UnsupportedFileError);
    usleep(50000);
    int status = 0;
    EXPECT_EQ(waitpid(writer, &status, WNOHANG), 0) << "the writer was let through";
    kill(writer, SIGKILL);
    waitpid(writer, &status, 0);
}

TEST_F(TextFileTest, LinksAreFollowedOnlyWhereTheirOwnerMayLead) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "needs root to give links to another user";
    }
    const uid_t other = 1000;
    const std::string secret = "Passwort\r\n";
    WriteBytes(At("secret.htm"), secret, 0600);
    folder.MakeFolder("user");
    WriteBytes(At("user/own.htm"), "eigen\r\n");
    ASSERT_EQ(chown(At("user/own.htm").c_str(), other, other), 0);
    auto link = [&](const std::string& name, const std::string& target, uid_t owner) {
        folder.MakeLink(name, target);
        ASSERT_EQ(lchown(At(name).c_str(), owner, owner), 0);
    };
    link("foreign.htm", At("secret.htm"), other);  // to root's file
    link("shared.htm", At("user/own.htm"), other); // to the same user's file
    link("mine.htm", At("secret.htm"), 0);         // the runner's own
    link("chain.htm", At("mine.htm"), other);      // through root's link to root's file
    link("dangling.htm", At("nowhere.htm"), other);
    link("dir", folder.Path(), other); // a folder on the way
    struct Case {
        std::string path;
        std::string refusedLink; // empty: followed to written
        std::string written = {};
    };
    const std::vector<Case> cases = {
        {At("foreign.htm"), At("foreign.htm")},   {At("shared.htm"), "", At("user/own.htm")},
        {At("mine.htm"), "", At("secret.htm")},   {At("chain.htm"), At("chain.htm")},
        {At("dangling.htm"), At("dangling.htm")}, {At("dir/secret.htm"), At("dir")},
    };
    for (const Case& c : cases) {
        const std::optional<FileFailure> refused =
            c.refusedLink.empty() ? std::nullopt
                                  : std::optional(LinkRefusedError(c.refusedLink).Failure());
        if (c.path != At("dangling.htm")) {
            EXPECT_EQ(ThrownFailure<LinkRefusedError>([&] { LoadTextFile(c.path); }), refused)
                << c.path;
        }
        EXPECT_EQ(ThrownFailure<LinkRefusedError>([&] { SaveTextFile(SplitLines("neu"), c.path); }),
                  refused)
            << c.path;
        EXPECT_EQ(ReadBytes(c.written.empty() ? At("secret.htm") : c.written),
                  c.written.empty() ? secret : "neu\r\n")
            << c.path;
        WriteBytes(At("secret.htm"), secret, 0600);
    }
    EXPECT_FALSE(ReadBytes(At("nowhere.htm")));
}

TEST_F(TextFileTest, ReadThatDisagreesWithTheSizeIsAnError) {
    // Files of the kernel's information folders tell a size that their
    // content does not match: /proc says 0 and delivers more, sysfs says a
    // page and delivers less.
    EXPECT_EQ(ThrownFailure<ShortReadError>([] { LoadTextFile("/proc/self/status"); }),
              ShortReadError("/proc/self/status").Failure());
    const std::string sysfsFile = "/sys/kernel/mm/transparent_hugepage/enabled";
    struct stat info {};
    if (stat(sysfsFile.c_str(), &info) == 0 && info.st_size > 0) {
        EXPECT_THROW(LoadTextFile(sysfsFile), ShortReadError);
    }
}

TEST_F(TextFileTest, FullDiskLeavesTheOldFileAndNoTemporaryFile) {
    const std::string old(3000, 'o');
    const LineList bigger = SplitLines(std::string(5000, 'n'));
    const std::size_t limit = 4096;

    // Replaced through a temporary file.
    WriteBytes(At("plain.htm"), old);
    // Written in place (hard-linked).
    WriteBytes(At("linked.htm"), old);
    ASSERT_EQ(link(At("linked.htm").c_str(), At("other.htm").c_str()), 0);
    for (const char* name : {"plain.htm", "linked.htm", "fresh.htm"}) {
        const std::string path = At(name);
        const int code = testing::RunWithFileSizeLimit(limit, [&] {
            try {
                SaveTextFile(bigger, path);
            } catch (const WriteError& error) {
                return error.Failure().kind == FailureKind::Write ? 0 : 2;
            }
            return 1;
        });
        EXPECT_EQ(code, 0) << name;
    }
    EXPECT_EQ(ReadBytes(At("plain.htm")), old);
    EXPECT_EQ(ReadBytes(At("other.htm")), old);
    EXPECT_EQ(StatOf(At("linked.htm")).st_size, 3000);
    EXPECT_EQ(NamesIn(folder.Path()), (Names{"linked.htm", "other.htm", "plain.htm"}));
}

// A hard-linked file is written in place, so its old bytes are at stake: a
// full disk is found before the first of them is overwritten, and content
// that throws midway (out of memory) has them put back.
TEST_F(TextFileTest, AFailedWriteInPlaceLeavesTheOldBytes) {
    struct Case {
        const char* what;
        rlim_t limit = RLIM_INFINITY; // for the file size of the writing process
        bool throws = false;          // the write throws after its first piece
    };
    const std::string old(30, 'o');
    const std::string piece(25, 'n'); // two of them, more than the limit lets a file hold
    for (const Case& c :
         {Case{"full disk", 40, false}, Case{"content throws", RLIM_INFINITY, true}}) {
        WriteBytes(At("one.htm"), old);
        ASSERT_EQ(link(At("one.htm").c_str(), At("two.htm").c_str()), 0);
        const ino_t inode = StatOf(At("one.htm")).st_ino;
        const int code = testing::RunWithFileSizeLimit(c.limit, [&] {
            int passes = 0;
            bool overwritten = false;
            // Passed once for its size, then for the write; looks at the file
            // before each piece it hands over.
            const FileContent content = [&](const PutPiece& put) {
                ++passes;
                for (int i = 0; i < 2; ++i) {
                    overwritten = overwritten || ReadBytes(At("two.htm")) != old;
                    if (c.throws && passes == 2 && i == 1) {
                        throw std::bad_alloc();
                    }
                    if (!put(piece)) {
                        return false;
                    }
                }
                return true;
            };
            try {
                ReplaceFileContent(At("one.htm"), content);
            } catch (const WriteError& error) {
                if (c.throws || error.Failure().error != EFBIG) {
                    return 3;
                }
                return overwritten ? 2 : 0;
            } catch (const std::bad_alloc&) {
                return c.throws ? 0 : 3;
            }
            return 1;
        });
        // 2: an old byte was overwritten before the disk was found full.
        EXPECT_EQ(code, 0) << c.what;
        EXPECT_EQ(ReadBytes(At("two.htm")), old) << c.what;
        EXPECT_EQ(StatOf(At("one.htm")).st_ino, inode) << c.what;
        EXPECT_EQ(NamesIn(folder.Path()), (Names{"one.htm", "two.htm"})) << c.what;
        ASSERT_EQ(unlink(At("two.htm").c_str()), 0);
    }
}

} // namespace
} // namespace glyphwright

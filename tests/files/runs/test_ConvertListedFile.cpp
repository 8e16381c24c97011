#include "entities/Unit_HtmlUmlaute.h"
#include "entities/Utf8Entities.h"
#include "files/io/FileErrors.h"
#include "files/io/TextFile.h"
#include "files/runs/ConvertListedFile.h"
#include "files/text/PieceConversion.h"
#include "tests/files/FileTesting.h"
#include "tests/files/LineFiles.h"
#include "tests/files/TempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <functional>
#include <new>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace glyphwright {
namespace {

using testing::JoinLines;

using testing::NamesIn;
using testing::ReadBytes;
using testing::WriteBytes;

using Names = std::vector<std::string>;

// A failure as the step reports it: its kind, the path and the error number.
FileFailure Failure(FailureKind kind, const std::string& path, int error = 0) {
    return {kind, path, error, {}};
}

// A conversion whose effect is easy to see: every 'a' becomes "<A>".
std::string Mark(std::string_view text) {
    std::string out;
    for (const char c : text) {
        out += c == 'a' ? std::string("<A>") : std::string(1, c);
    }
    return out;
}

class ConvertListedFileTest : public ::testing::Test {
protected:
    std::string At(const std::string& name) const { return folder.Path() + "/" + name; }

    // Converts entry 0 of a list holding path, counting the hook calls.
    FileOutcome Convert(const std::string& path, const TextConversion& convert,
                        bool backup = true) {
        FileList list;
        list.Append(path);
        ConvertHooks hooks;
        hooks.backupWanted = [this, backup] {
            ++backupAsked;
            return backup;
        };
        hooks.progressStep = [this] { ++progressSteps; };
        return ConvertListedFile(list, 0, Conversion{convert, convert}, hooks);
    }

    glyphwright::testing::TempFolder folder;
    int backupAsked = 0;
    int progressSteps = 0;
};

TEST_F(ConvertListedFileTest, EncodeWritesBackupAndConvertedFile) {
    WriteBytes(At("gruss.htm"), "Gr\xFC\xDF"
                                "e\n<b>&</b>");
    const FileOutcome outcome = Convert(At("gruss.htm"), EncodeUmlauts);
    EXPECT_EQ(outcome.charset, Charset::Windows1252);
    EXPECT_TRUE(outcome.converted);
    EXPECT_EQ(outcome.failure, FileFailure{});
    EXPECT_EQ(backupAsked, 1);
    EXPECT_EQ(progressSteps, 1);
    EXPECT_EQ(ReadBytes(At("gruss.htm")), "Gr&uuml;&szlig;e\r\n<b>&</b>\r\n");
    // The backup is the loaded lines as this program writes them: CR LF ends.
    EXPECT_EQ(ReadBytes(At("gruss.htm._backup_")), "Gr\xFC\xDF"
                                                   "e\r\n<b>&</b>\r\n");
}

// Each form of line ends, on a text with all three breaks and no last one:
// what the file and its backup hold afterwards.
TEST_F(ConvertListedFileTest, EachLineEndFormGivesItsFileAndBackup) {
    const std::string text = "\xE4\r\nb\nc\rd";
    const struct {
        LineEnds ends;
        std::string file;
        std::string backup;
    } cases[] = {
        {LineEnds::CrLf, "&auml;\r\nb\r\nc\r\nd\r\n", "\xE4\r\nb\r\nc\r\nd\r\n"},
        {LineEnds::Lf, "&auml;\nb\nc\nd\n", text},
        {LineEnds::Keep, "&auml;\r\nb\nc\rd", text},
    };
    for (const auto& c : cases) {
        WriteBytes(At("ends.htm"), text);
        FileList list;
        list.Append(At("ends.htm"));
        Conversion conversion = EncodeConversion();
        conversion.lineEnds = c.ends;
        ConvertHooks hooks;
        hooks.backupWanted = [] { return true; };
        ASSERT_TRUE(ConvertListedFile(list, 0, conversion, hooks).converted);
        EXPECT_EQ(ReadBytes(At("ends.htm")), c.file) << static_cast<int>(c.ends);
        EXPECT_EQ(ReadBytes(At("ends.htm._backup_")), c.backup) << static_cast<int>(c.ends);
    }
}

// Asked to, the step leaves a file alone that its conversion would not change:
// same inode, same time stamp, and an older backup is kept, not overwritten.
TEST_F(ConvertListedFileTest, AFileTheConversionWouldNotChangeIsLeftAlone) {
    const struct {
        LineEnds ends;
        std::string bytes;
        bool unchanged;
    } cases[] = {
        {LineEnds::Keep, "<p>ok</p>\n", true},
        {LineEnds::Keep, "plain", true},
        {LineEnds::Keep, "a\rb\r\n", true},
        {LineEnds::Keep, "Gr\xFC\n", false},
        {LineEnds::Lf, "a\nb\n", true},
        {LineEnds::Lf, "a\r\n", false},
        {LineEnds::CrLf, "&auml;\r\n", true},
        {LineEnds::CrLf, "a\n", false},
        {LineEnds::Keep, std::string(3 * kContentPiece, 'x'), true},
        {LineEnds::CrLf, std::string(3 * kContentPiece, 'x') + "\r\n", true},
        {LineEnds::Keep, std::string(3 * kContentPiece, 'x') + "\xFC", false},
    };
    for (const auto& c : cases) {
        const std::string label =
            std::to_string(static_cast<int>(c.ends)) + " " + c.bytes.substr(0, 12);
        WriteBytes(At("same.htm"), c.bytes);
        WriteBytes(At("same.htm._backup_"), "older");
        const timespec past[2] = {{1000000000, 0}, {1000000000, 0}};
        ASSERT_EQ(utimensat(AT_FDCWD, At("same.htm").c_str(), past, 0), 0);
        struct stat before {};
        ASSERT_EQ(stat(At("same.htm").c_str(), &before), 0);
        FileList list;
        list.Append(At("same.htm"));
        Conversion conversion = EncodeConversion();
        conversion.lineEnds = c.ends;
        ConvertHooks hooks;
        hooks.backupWanted = [] { return true; };
        hooks.leaveUnchanged = true;
        const FileOutcome outcome = ConvertListedFile(list, 0, conversion, hooks);
        EXPECT_TRUE(outcome.converted) << label;
        EXPECT_EQ(outcome.unchanged, c.unchanged) << label;
        struct stat after {};
        ASSERT_EQ(stat(At("same.htm").c_str(), &after), 0);
        EXPECT_EQ(after.st_ino == before.st_ino && after.st_mtime == before.st_mtime, c.unchanged)
            << label;
        EXPECT_EQ(ReadBytes(At("same.htm._backup_")) == "older", c.unchanged) << label;
    }
}

TEST_F(ConvertListedFileTest, DecodeAndNoBackup) {
    WriteBytes(At("d.htm"), "&lt;b&gt;Gr&uuml;&szlig;e\r\n");
    FileList list;
    list.Append(At("d.htm"));
    const FileOutcome outcome = ConvertListedFile(list, 0, DecodeConversion(), ConvertHooks{});
    EXPECT_TRUE(outcome.converted);
    EXPECT_EQ(ReadBytes(At("d.htm")), "<b>Gr\xFC\xDF"
                                      "e\r\n");
    EXPECT_EQ(NamesIn(folder.Path()), Names{"d.htm"}) << "no hook: no backup";

    EXPECT_TRUE(Convert(At("d.htm"), Mark, false).converted);
    EXPECT_EQ(backupAsked, 1);
    EXPECT_EQ(NamesIn(folder.Path()), Names{"d.htm"});
}

TEST_F(ConvertListedFileTest, LoadFailsNothingWritten) {
    // Step 3: a missing (vanished) file, a file with NUL, a FIFO.
    WriteBytes(At("nul.htm"), std::string("a\0a\n", 4));
    ASSERT_EQ(mkfifo(At("pipe.htm").c_str(), 0644), 0);
    const FileOutcome missing = Convert(At("gone.htm"), Mark);
    EXPECT_FALSE(missing.converted);
    EXPECT_EQ(missing.failure, Failure(FailureKind::Open, At("gone.htm"), ENOENT));
    const FileOutcome nul = Convert(At("nul.htm"), Mark);
    EXPECT_FALSE(nul.converted);
    EXPECT_EQ(nul.failure, Failure(FailureKind::HoldsNul, At("nul.htm")));
    EXPECT_FALSE(Convert(At("pipe.htm"), Mark).converted);
    EXPECT_EQ(backupAsked, 0);
    EXPECT_EQ(progressSteps, 0);
    EXPECT_EQ(ReadBytes(At("nul.htm")), std::string("a\0a\n", 4));
    EXPECT_EQ(NamesIn(folder.Path()), (Names{"nul.htm", "pipe.htm"}));
}

TEST_F(ConvertListedFileTest, MarkedFileThatIsNotUtf8IsRefusedUntouched) {
    const std::string bytes = "\xEF\xBB\xBFok\r\nGr\xFC\xDF"
                              "e\n";
    WriteBytes(At("bom.htm"), bytes);
    const FileOutcome outcome = Convert(At("bom.htm"), Mark);
    EXPECT_FALSE(outcome.converted);
    EXPECT_EQ(outcome.failure.kind, FailureKind::NotUtf8);
    EXPECT_EQ(outcome.failure.path, At("bom.htm"));
    EXPECT_EQ(outcome.failure.line, 2u);
    EXPECT_EQ(outcome.failure.offset, 9u); // the \xFC after "\xEF\xBB\xBFok\r\nGr"
    EXPECT_EQ(backupAsked, 0);
    EXPECT_EQ(ReadBytes(At("bom.htm")), bytes);
    EXPECT_EQ(NamesIn(folder.Path()), Names{"bom.htm"});
}

TEST_F(ConvertListedFileTest, BackupFailsFileUntouched) {
    // Step 4: the backup path is taken by a folder.
    WriteBytes(At("a.htm"), "a\n");
    folder.MakeFolder("a.htm._backup_");
    const FileOutcome outcome = Convert(At("a.htm"), Mark);
    EXPECT_FALSE(outcome.converted);
    EXPECT_EQ(outcome.failure, Failure(FailureKind::Create, At("a.htm._backup_"), EISDIR));
    EXPECT_EQ(ReadBytes(At("a.htm")), "a\n");
    EXPECT_EQ(progressSteps, 0);
}

TEST_F(ConvertListedFileTest, ConversionFailsBackupStaysFileUntouched) {
    // Steps 5 to 7: memory runs out while converting.
    WriteBytes(At("a.htm"), "a\n");
    const FileOutcome outcome =
        Convert(At("a.htm"), [](std::string_view) -> std::string { throw std::bad_alloc(); });
    EXPECT_FALSE(outcome.converted);
    EXPECT_EQ(outcome.failure, Failure(FailureKind::OutOfMemory, At("a.htm")));
    EXPECT_EQ(ReadBytes(At("a.htm")), "a\n");
    EXPECT_EQ(ReadBytes(At("a.htm._backup_")), "a\r\n");
    EXPECT_EQ(progressSteps, 0);
}

TEST_F(ConvertListedFileTest, ReadOnlyFileBackedUpNotConvertedStepCounted) {
    // Step 9, create: the bar still advances for the file.
    WriteBytes(At("ro.htm"), "a\n", 0444);
    const FileOutcome outcome = Convert(At("ro.htm"), Mark);
    EXPECT_FALSE(outcome.converted);
    EXPECT_EQ(outcome.failure, CreateError::ReadOnly(At("ro.htm")).Failure());
    EXPECT_EQ(ReadBytes(At("ro.htm")), "a\n");
    EXPECT_EQ(ReadBytes(At("ro.htm._backup_")), "a\r\n");
    EXPECT_EQ(progressSteps, 1);
}

TEST_F(ConvertListedFileTest, WriteFailsOldFileKeptStepCounted) {
    // Step 9, write: the backup fits under the size limit, the converted text does not.
    const std::string old = std::string(1000, 'a') + "\r\n";
    WriteBytes(At("big.htm"), old);
    const int code = testing::RunWithFileSizeLimit(2048, [&] {
        const FileOutcome outcome = Convert(At("big.htm"), Mark);
        if (outcome.converted || outcome.failure.kind != FailureKind::Write) {
            return 1;
        }
        return progressSteps == 1 ? 0 : 2;
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(ReadBytes(At("big.htm")), old);
    EXPECT_EQ(ReadBytes(At("big.htm._backup_")), old);
    EXPECT_EQ(NamesIn(folder.Path()), (Names{"big.htm", "big.htm._backup_"}));
}

TEST_F(ConvertListedFileTest, ALargeFileConvertsInPiecesAsItWouldWhole) {
    // Several pieces of text dense with entities, '&' and characters in both
    // encodings, for each of the four routines.
    const char* const fragments[] = {"&auml;", "&amp;", "&frac12;", "&",  ";",  "&lt",     "x",
                                     "\xE4",   "\xC3",  "\xC3\xA4", "\n", "\r", "\xC2\xA0"};
    std::mt19937 random(20261212);
    std::string text;
    while (text.size() < 3 * kContentPiece) {
        text += fragments[random() % std::size(fragments)];
    }
    const std::string joined = JoinLines(SplitLines(text));
    for (const TextConversion& convert :
         {TextConversion(EncodeUmlauts), TextConversion(DecodeEntities),
          TextConversion(EncodeUmlautsUtf8), TextConversion(DecodeEntitiesUtf8)}) {
        WriteBytes(At("large.htm"), text);
        ASSERT_TRUE(Convert(At("large.htm"), convert, false).converted);
        EXPECT_TRUE(ReadBytes(At("large.htm")) == convert(joined));
    }
    EXPECT_EQ(progressSteps, 4);
}

// A file with a second name is written in place, which sizes the content
// before it writes it: a page is still converted once.
TEST_F(ConvertListedFileTest, AFileWrittenInPlaceIsConvertedOnce) {
    WriteBytes(At("linked.htm"), "a\n");
    ASSERT_EQ(link(At("linked.htm").c_str(), At("other.htm").c_str()), 0);
    int calls = 0;
    const TextConversion counted = [&calls](std::string_view text) {
        ++calls;
        return Mark(text);
    };
    ASSERT_TRUE(Convert(At("linked.htm"), counted, false).converted);
    EXPECT_EQ(ReadBytes(At("other.htm")), "<A>\r\n");
    EXPECT_EQ(calls, 1);
}

TEST_F(ConvertListedFileTest, PathListedTwiceIsConvertedTwice) {
    WriteBytes(At("twice.htm"), "a");
    FileList list;
    list.Append(At("twice.htm"));
    list.Append(At("twice.htm"));
    ConvertHooks hooks;
    hooks.backupWanted = [] { return true; };
    const TextConversion prefix = [](std::string_view text) { return "x" + std::string(text); };
    for (std::size_t entry = 0; entry < list.Count(); ++entry) {
        EXPECT_TRUE(ConvertListedFile(list, entry, Conversion{prefix, prefix}, hooks).converted);
    }
    EXPECT_EQ(ReadBytes(At("twice.htm")), "xxa\r\n");
    // The second backup holds the first pass's output.
    EXPECT_EQ(ReadBytes(At("twice.htm._backup_")), "xa\r\n");
}

// A backup is a file of its own: whatever stands at its path (a link to
// another file, dangling or not, or a second name of one) is replaced as a
// name, and nothing it points to is written or created.
TEST_F(ConvertListedFileTest, BackupNeverWritesThroughALink) {
    const std::vector<std::pair<std::string, std::function<void()>>> traps = {
        {"link to a file", [&] { folder.MakeLink("a.htm._backup_", "victim.txt"); }},
        {"dangling link", [&] { folder.MakeLink("a.htm._backup_", "made.txt"); }},
        {"hard link",
         [&] { ASSERT_EQ(link(At("victim.txt").c_str(), At("a.htm._backup_").c_str()), 0); }},
    };
    for (const auto& [trap, lay] : traps) {
        WriteBytes(At("a.htm"), "a\n");
        WriteBytes(At("victim.txt"), "mine\n");
        unlink(At("a.htm._backup_").c_str());
        lay();
        EXPECT_TRUE(Convert(At("a.htm"), Mark).converted) << trap;
        EXPECT_EQ(ReadBytes(At("victim.txt")), "mine\n") << trap;
        struct stat info {};
        ASSERT_EQ(lstat(At("a.htm._backup_").c_str(), &info), 0) << trap;
        EXPECT_TRUE(S_ISREG(info.st_mode) && info.st_nlink == 1) << trap;
        EXPECT_EQ(ReadBytes(At("a.htm._backup_")), "a\r\n") << trap;
        EXPECT_EQ(ReadBytes(At("a.htm")), "<A>\r\n") << trap;
        EXPECT_EQ(NamesIn(folder.Path()), (Names{"a.htm", "a.htm._backup_", "victim.txt"})) << trap;
    }
}

// A backup shows no more than its file, and to no more people: its bits
// without set-id bits, its owner and group, its extended attributes; through
// a link, those of the link's target, beside the link.
TEST_F(ConvertListedFileTest, BackupTakesItsFilesBitsOwnerAndGroup) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "needs root to give files to another user";
    }
    const mode_t umaskBefore = umask(022);
    struct Case {
        std::string name; // the listed path; "link.htm" leads to "target.htm"
        mode_t mode;
        uid_t owner;
        mode_t olderBackup; // 0: none there before
    };
    const std::vector<Case> cases = {
        {"secret.htm", 0600, 0, 0},   {"group.htm", 0640, 1000, 0}, {"setuid.htm", 04755, 1000, 0},
        {"again.htm", 0600, 0, 0666}, {"link.htm", 0640, 1000, 0},
    };
    for (const Case& c : cases) {
        const std::string file = c.name == "link.htm" ? At("target.htm") : At(c.name);
        WriteBytes(file, "a\n", c.mode);
        ASSERT_EQ(chown(file.c_str(), c.owner, c.owner), 0);
        ASSERT_EQ(chmod(file.c_str(), c.mode), 0);
        ASSERT_EQ(setxattr(file.c_str(), "user.note", "x", 1, 0), 0);
        if (c.name == "link.htm") {
            folder.MakeLink("link.htm", file);
        }
        if (c.olderBackup != 0) {
            WriteBytes(At(c.name) + "._backup_", "old\n", c.olderBackup);
        }
        EXPECT_TRUE(Convert(At(c.name), Mark).converted) << c.name;
        struct stat backup {};
        ASSERT_EQ(lstat((At(c.name) + "._backup_").c_str(), &backup), 0) << c.name;
        EXPECT_EQ(backup.st_mode & 07777, c.mode & 0777) << c.name;
        EXPECT_EQ(backup.st_uid, c.owner) << c.name;
        EXPECT_EQ(backup.st_gid, c.owner) << c.name;
        char note = 0;
        EXPECT_EQ(getxattr((At(c.name) + "._backup_").c_str(), "user.note", &note, 1), 1) << c.name;
    }
    // Who may not give the file's group leaves the group nothing.
    const std::string own = At("own");
    chmod(folder.Path().c_str(), 0755);
    mkdir(own.c_str(), 0755);
    ASSERT_EQ(chown(own.c_str(), testing::kUnprivilegedId, testing::kUnprivilegedId), 0);
    WriteBytes(own + "/page.htm", "a\n", 0640);
    ASSERT_EQ(chown((own + "/page.htm").c_str(), testing::kUnprivilegedId, 0), 0);
    EXPECT_EQ(testing::RunInChild(
                  [&] { return Convert(own + "/page.htm", Mark).converted ? 0 : 1; }, true),
              0);
    struct stat backup {};
    ASSERT_EQ(lstat((own + "/page.htm._backup_").c_str(), &backup), 0);
    EXPECT_EQ(backup.st_mode & 07777, 0600u);
    EXPECT_EQ(backup.st_uid, testing::kUnprivilegedId);
    umask(umaskBefore);
}

// A program that keeps the file open for writing (a logger appending to it)
// would go on writing into the old file once the new one took its name.
TEST_F(ConvertListedFileTest, AFileHeldOpenForWritingIsLeftAlone) {
    WriteBytes(At("log.htm"), "a\n");
    int ready[2];
    int done[2];
    ASSERT_EQ(pipe(ready), 0);
    ASSERT_EQ(pipe(done), 0);
    const pid_t writer = fork();
    if (writer == 0) {
        const int fd = open(At("log.htm").c_str(), O_WRONLY | O_APPEND);
        char byte = 0;
        [[maybe_unused]] const auto told = write(ready[1], &byte, 1);
        [[maybe_unused]] const auto waited = read(done[0], &byte, 1);
        [[maybe_unused]] const auto late = write(fd, "late\n", 5);
        _exit(0);
    }
    char byte = 0;
    ASSERT_EQ(read(ready[0], &byte, 1), 1);
    const FileOutcome outcome = Convert(At("log.htm"), Mark);
    EXPECT_FALSE(outcome.converted);
    EXPECT_EQ(outcome.failure, Failure(FailureKind::Busy, At("log.htm")));
    ASSERT_EQ(write(done[1], &byte, 1), 1);
    int status = 0;
    waitpid(writer, &status, 0);
    EXPECT_EQ(ReadBytes(At("log.htm")), "a\nlate\n");
    EXPECT_EQ(NamesIn(folder.Path()), (Names{"log.htm"}));
    for (const int fd : {ready[0], ready[1], done[0], done[1]}) {
        close(fd);
    }
}

// Another program changes the file between its load and its replacement (an
// editor saves it, a deploy swaps in a link): its change wins, the entry fails.
TEST_F(ConvertListedFileTest, FileChangedWhileConvertingIsLeftAlone) {
    const std::vector<std::pair<std::string, std::function<void(const std::string&)>>> changes = {
        {"saved anew", [](const std::string& path) { WriteBytes(path, "edited\n"); }},
        {"same size, new time",
         [](const std::string& path) {
             const timespec later[2] = {{0, UTIME_OMIT}, {2000000000, 5}};
             utimensat(AT_FDCWD, path.c_str(), later, 0);
         }},
        {"replaced by a link",
         [this](const std::string& path) {
             unlink(path.c_str());
             folder.MakeLink("a.htm", "victim.txt");
         }},
    };
    for (const bool lastMoment : {false, true}) {
        for (const bool hardLinked : {false, true}) {
            for (const auto& [change, apply] : changes) {
                const std::string label = change + (hardLinked ? ", hard-linked" : "") +
                                          (lastMoment ? ", just before the rename" : "");
                for (const std::string& name : NamesIn(folder.Path())) {
                    unlink(At(name).c_str());
                }
                WriteBytes(At("a.htm"), "a\n");
                WriteBytes(At("victim.txt"), "mine\n");
                if (hardLinked) {
                    ASSERT_EQ(link(At("a.htm").c_str(), At("b.htm").c_str()), 0);
                }
                FileList list;
                list.Append(At("a.htm"));
                ConvertHooks hooks;
                std::optional<std::string> seen;
                const auto inject = [&] {
                    apply(At("a.htm"));
                    seen = ReadBytes(At("a.htm"));
                };
                if (lastMoment) {
                    hooks.beforeReplace = [&](const std::string&) { inject(); };
                } else {
                    hooks.progressStep = inject;
                }
                const FileOutcome outcome =
                    ConvertListedFile(list, 0, Conversion{Mark, Mark}, hooks);
                EXPECT_FALSE(outcome.converted) << label;
                EXPECT_EQ(outcome.failure, Failure(FailureKind::Changed, At("a.htm"))) << label;
                EXPECT_EQ(ReadBytes(At("a.htm")), seen) << label;
                EXPECT_EQ(ReadBytes(At("victim.txt")), "mine\n") << label;
                EXPECT_EQ(NamesIn(folder.Path()), hardLinked
                                                      ? (Names{"a.htm", "b.htm", "victim.txt"})
                                                      : (Names{"a.htm", "victim.txt"}))
                    << label;
            }
        }
    }
}

// Whatever the step's hooks throw ends the entry as a failure of its kind;
// the file stays as it was.
TEST_F(ConvertListedFileTest, WhatAHookThrowsIsTheEntrysFailure) {
    WriteBytes(At("a.htm"), "a\n");
    const std::string path = At("a.htm");
    const std::vector<std::pair<std::function<void()>, FileFailure>> cases = {
        {[&] { throw BusyError(At("b.htm")); }, BusyError(At("b.htm")).Failure()},
        {[] { throw std::bad_alloc(); }, {FailureKind::OutOfMemory, path, 0, {}}},
        {[] { throw std::runtime_error("hook"); }, {FailureKind::Other, path, 0, "hook"}},
        {[] { throw 42; }, {FailureKind::Other, path, 0, {}}},
    };
    for (const auto& [fail, failure] : cases) {
        FileList list;
        list.Append(path);
        ConvertHooks hooks;
        hooks.loaded = [&fail = fail](const std::string&) { fail(); };
        const FileOutcome outcome = ConvertListedFile(list, 0, Conversion{Mark, Mark}, hooks);
        EXPECT_FALSE(outcome.converted);
        EXPECT_EQ(outcome.failure, failure) << DebugText(outcome.failure);
    }
    EXPECT_EQ(ReadBytes(path), "a\n");
}

TEST_F(ConvertListedFileTest, EntryBeyondTheListIsAFailedOutcome) {
    FileList list;
    const FileOutcome outcome = ConvertListedFile(list, 3, Conversion{Mark, Mark}, ConvertHooks{});
    EXPECT_FALSE(outcome.converted);
    EXPECT_EQ(outcome.failure.kind, FailureKind::Other);
}

} // namespace
} // namespace glyphwright

#include "files/runs/ListRun.h"

#include "files/io/FileErrors.h"
#include "files/io/StopFlag.h"
#include "files/text/LineList.h"
#include "tests/files/FileTesting.h"
#include "tests/files/LineFiles.h"
#include "tests/files/TempFolder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <map>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace glyphwright {
namespace {

using testing::JoinLines;

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

std::string Upper(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 0x20);
        }
    }
    return out;
}

TEST(ListRun, ConvertsEveryEntryInOrderAndGathersFailures) {
    TempFolder folder;
    const std::string a = folder.Path() + "/a.htm";
    const std::string missing = folder.Path() + "/gone.htm";
    WriteBytes(a, "abc\n");

    FileList list;
    list.Append(a);
    list.Append(missing);
    list.Append(a); // listed twice: converted once

    std::vector<std::size_t> done;
    int steps = 0;
    RunHooks hooks;
    hooks.perFile.backupWanted = [] { return false; };
    hooks.perFile.progressStep = [&] { ++steps; };
    hooks.entryDone = [&](std::size_t entry, const FileOutcome&) { done.push_back(entry); };

    const RunSummary summary = ConvertAllListed(list, Conversion{Upper, Upper}, hooks);

    EXPECT_EQ(summary.converted, 1u);
    EXPECT_EQ(summary.duplicates, 1u);
    ASSERT_EQ(summary.failures.size(), 1u);
    EXPECT_EQ(summary.failures[0], (FileFailure{FailureKind::Open, missing, ENOENT, {}}));
    EXPECT_EQ(done, (std::vector<std::size_t>{0, 1, 2}));
    EXPECT_EQ(steps, 2); // the missing file never reaches the step
    EXPECT_EQ(ReadBytes(a), "ABC\r\n");
    EXPECT_EQ(list.Count(), 3u); // a run never changes the list
}

// A mixed site through both runs: what is read as Windows-1252 gives exactly
// the bytes of a run that reads every file so, and every UTF-8 page that keeps
// a mark of its character set comes back with its own characters.
TEST(ListRun, EachFileInItsOwnCharsetBothWays) {
    const std::string meta = "<meta charset=\"utf-8\">\n";
    const std::map<std::string, std::string> site{
        {"utf8-mark.htm", "\xEF\xBB\xBF<p>Gr\xC3\xBC\xC3\x9F"
                          "e & \xC2\xBD</p>\n"},
        {"utf8-declared.htm", meta + "<p>\xC3\x84rger\xC2\xA0\xC2\xA9\rx"},
        {"utf8-euro.htm", "5 \xE2\x82\xAC f\xC3\xBCr \xC3\xBE\r\n"},
        {"cp1252.htm", "Gr\xFC\xDF"
                       "e \x80 \xAB\n&uuml;\n"},
        {"ascii.htm", "<p>&auml; &amp;auml;</p>\n"},
        {"ascii-declared.htm", meta + "<p>&auml; &frac12;</p>\n"},
    };
    TempFolder folder;
    FileList list;
    for (const auto& [name, bytes] : site) {
        WriteBytes(folder.Path() + "/" + name, bytes);
        list.Append(folder.Path() + "/" + name);
    }
    TempFolder legacy; // the same files, every one read as Windows-1252
    FileList legacyList;
    for (const auto& [name, bytes] : site) {
        WriteBytes(legacy.Path() + "/" + name, bytes);
        legacyList.Append(legacy.Path() + "/" + name);
    }
    RunHooks hooks;
    hooks.perFile.backupWanted = [] { return true; };

    const std::map<std::string, Charset> readAs{
        {"utf8-mark.htm", Charset::Utf8},    {"utf8-declared.htm", Charset::Utf8},
        {"utf8-euro.htm", Charset::Utf8},    {"cp1252.htm", Charset::Windows1252},
        {"ascii.htm", Charset::Windows1252}, {"ascii-declared.htm", Charset::Utf8},
    };
    for (const Conversion& conversion : {EncodeConversion(), DecodeConversion()}) {
        Conversion forced = conversion;
        forced.rule = CharsetRule::Windows1252;
        std::map<std::string, std::string> before;
        for (const auto& [name, bytes] : site) {
            before[name] = ReadBytes(folder.Path() + "/" + name).value_or("?");
        }
        std::map<std::string, Charset> seen;
        hooks.entryDone = [&](std::size_t entry, const FileOutcome& outcome) {
            EXPECT_TRUE(outcome.converted) << DebugText(outcome.failure);
            seen[list.Path(entry).substr(folder.Path().size() + 1)] = outcome.charset;
        };
        EXPECT_EQ(ConvertAllListed(list, conversion, hooks).converted, site.size());
        EXPECT_EQ(seen, readAs);
        hooks.entryDone = nullptr;
        ConvertAllListed(legacyList, forced, hooks);
        for (const auto& [name, charset] : readAs) {
            const std::string path = folder.Path() + "/" + name;
            EXPECT_EQ(ReadBytes(path + "._backup_"), JoinLines(SplitLines(before[name]))) << name;
            if (charset == Charset::Windows1252) {
                EXPECT_EQ(ReadBytes(path), ReadBytes(legacy.Path() + "/" + name)) << name;
            }
        }
    }
    for (const auto& [name, bytes] : site) {
        if (name.starts_with("utf8-")) {
            EXPECT_EQ(ReadBytes(folder.Path() + "/" + name), JoinLines(SplitLines(bytes))) << name;
        }
    }
    EXPECT_EQ(ReadBytes(folder.Path() + "/ascii.htm"), "<p>\xE4 &auml;</p>\r\n");
    EXPECT_EQ(ReadBytes(folder.Path() + "/ascii-declared.htm"),
              "<meta charset=\"utf-8\">\r\n<p>\xC3\xA4 \xC2\xBD</p>\r\n");
}

// A path listed twice, two hard links to one file, a link and its target:
// each file is converted once, its backup holds the content from before the
// run, and the later entries count as named twice without being read or
// written; alike with one worker and with several.
TEST(ListRun, EachFileIsConvertedOnceInARun) {
    for (const std::size_t workers : {1, 4}) {
        TempFolder folder;
        const auto at = [&](const std::string& name) { return folder.Path() + "/" + name; };
        WriteBytes(at("a.htm"), "a");
        WriteBytes(at("h1.htm"), "h");
        ASSERT_EQ(link(at("h1.htm").c_str(), at("h2.htm").c_str()), 0);
        WriteBytes(at("c.htm"), "c");
        folder.MakeLink("l.htm", "c.htm");
        const std::vector<std::string> names{"a.htm", "a.htm", "h1.htm",   "h2.htm",
                                             "l.htm", "c.htm", "gone.htm", "c.htm"};
        FileList list;
        for (const std::string& name : names) {
            list.Append(at(name));
        }
        std::vector<std::size_t> done;
        std::atomic<int> steps = 0; // on the workers' threads
        RunHooks hooks;
        hooks.perFile.backupWanted = [] { return true; };
        hooks.perFile.progressStep = [&] { ++steps; };
        hooks.entryDone = [&](std::size_t entry, const FileOutcome&) { done.push_back(entry); };
        const TextConversion prefix = [](std::string_view text) { return "x" + std::string(text); };

        const RunSummary summary =
            ConvertAllListed(list, Conversion{prefix, prefix}, hooks, workers);

        SCOPED_TRACE(std::to_string(workers) + " workers");
        EXPECT_EQ(summary.converted, 3u); // a, h1 (= h2), l (= c)
        EXPECT_EQ(summary.duplicates, 4u);
        EXPECT_EQ(summary.failures.size(), 1u);
        EXPECT_EQ(summary.handled, 8u);
        EXPECT_EQ(steps, 7);
        EXPECT_EQ(done, (std::vector<std::size_t>{0, 1, 2, 3, 4, 5, 6, 7}));
        for (const char* name : {"a", "h1", "h2", "c"}) {
            const std::string first(1, name[0]);
            EXPECT_EQ(ReadBytes(at(std::string(name) + ".htm")), "x" + first + "\r\n") << name;
        }
        EXPECT_EQ(ReadBytes(at("a.htm._backup_")), "a\r\n");
        EXPECT_EQ(ReadBytes(at("h1.htm._backup_")), "h\r\n");
        EXPECT_FALSE(ReadBytes(at("h2.htm._backup_")));
        EXPECT_EQ(ReadBytes(at("l.htm._backup_")), "c\r\n");
        EXPECT_FALSE(ReadBytes(at("c.htm._backup_")));
    }
}

// A stop requested while a file is being replaced leaves that file as it
// was (its backup may stand) and ends the run before the next entry.
TEST(ListRun, AStopLeavesTheCurrentFileWholeAndEndsTheRun) {
    TempFolder folder;
    const auto at = [&](const std::string& name) { return folder.Path() + "/" + name; };
    FileList list;
    for (const char* name : {"a.htm", "b.htm", "c.htm"}) {
        WriteBytes(at(name), name);
        list.Append(at(name));
    }
    StopFlag stop;
    std::vector<std::size_t> done;
    RunHooks hooks;
    hooks.perFile.backupWanted = [] { return true; };
    hooks.perFile.stop = &stop;
    hooks.perFile.beforeReplace = [&](const std::string& target) {
        if (target == at("b.htm")) {
            stop.Request(SIGTERM);
        }
    };
    hooks.entryDone = [&](std::size_t entry, const FileOutcome&) { done.push_back(entry); };

    const RunSummary summary = ConvertAllListed(list, Conversion{Upper, Upper}, hooks);

    EXPECT_TRUE(summary.stopped);
    EXPECT_EQ(summary.handled, 1u);
    EXPECT_EQ(summary.converted, 1u);
    EXPECT_TRUE(summary.failures.empty());
    EXPECT_EQ(done, std::vector<std::size_t>{0});
    EXPECT_EQ(ReadBytes(at("a.htm")), "A.HTM\r\n");
    EXPECT_EQ(ReadBytes(at("b.htm")), "b.htm");
    EXPECT_EQ(ReadBytes(at("c.htm")), "c.htm");
    EXPECT_EQ(
        testing::NamesIn(folder.Path()),
        (std::vector<std::string>{"a.htm", "a.htm._backup_", "b.htm", "b.htm._backup_", "c.htm"}));
}

TEST(ListRun, EmptyListConvertsNothing) {
    FileList list;
    const RunSummary summary = ConvertAllListed(list, Conversion{Upper, Upper}, RunHooks{});
    EXPECT_EQ(summary.converted, 0u);
    EXPECT_TRUE(summary.failures.empty());
}

} // namespace
} // namespace glyphwright

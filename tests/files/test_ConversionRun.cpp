#include "files/ConversionRun.h"

#include "tests/files/FileTesting.h"
#include "tests/files/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace glyphwright {
namespace {

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

TEST(ConversionRun, ConvertsEveryEntryInOrderAndGathersFailures) {
    TempFolder folder;
    const std::string a = folder.Path() + "/a.htm";
    const std::string missing = folder.Path() + "/gone.htm";
    WriteBytes(a, "abc\n");

    FileList list;
    list.Append(a);
    list.Append(missing);
    list.Append(a); // listed twice: converted twice

    std::vector<std::size_t> done;
    int steps = 0;
    RunHooks hooks;
    hooks.perFile.backupWanted = [] { return false; };
    hooks.perFile.progressStep = [&] { ++steps; };
    hooks.entryDone = [&](std::size_t entry, const FileOutcome&) { done.push_back(entry); };

    const RunSummary summary = ConvertAllListed(list, Upper, hooks);

    EXPECT_EQ(summary.converted, 2u);
    ASSERT_EQ(summary.failures.size(), 1u);
    EXPECT_EQ(summary.failures[0], "Datei " + missing + " kann nicht geöffnet werden");
    EXPECT_EQ(done, (std::vector<std::size_t>{0, 1, 2}));
    EXPECT_EQ(steps, 2); // the missing file never reaches the step
    EXPECT_EQ(ReadBytes(a), "ABC\r\n");
    EXPECT_EQ(list.Count(), 3u); // a run never changes the list
}

TEST(ConversionRun, FailureLineNamesTheFileOnce) {
    EXPECT_EQ(FailureLine("/w/a.htm", "Datei /w/a.htm kann nicht geöffnet werden"),
              "Datei /w/a.htm kann nicht geöffnet werden");
    EXPECT_EQ(FailureLine("/w/a.htm", "Stream-Write-Fehler"), "/w/a.htm: Stream-Write-Fehler");
}

TEST(ConversionRun, EmptyListConvertsNothing) {
    FileList list;
    const RunSummary summary = ConvertAllListed(list, Upper, RunHooks{});
    EXPECT_EQ(summary.converted, 0u);
    EXPECT_TRUE(summary.failures.empty());
    EXPECT_EQ(FailureReport(summary), "");
}

TEST(ConversionRun, FailureReportListsTwentyAndSumsUpTheRest) {
    RunSummary few;
    few.failures = {"eins", "zwei"};
    EXPECT_EQ(FailureReport(few), "Nicht umgewandelt:\neins\nzwei");

    RunSummary exactlyTwenty;
    RunSummary many;
    for (int i = 0; i < 20; ++i) {
        exactlyTwenty.failures.push_back("f" + std::to_string(i));
    }
    many.failures = exactlyTwenty.failures;
    for (int i = 20; i < 25; ++i) {
        many.failures.push_back("f" + std::to_string(i));
    }
    const std::string twenty = FailureReport(exactlyTwenty);
    EXPECT_EQ(twenty.find("weitere"), std::string::npos);
    EXPECT_EQ(FailureReport(many), twenty + "\n… und 5 weitere");
}

} // namespace
} // namespace glyphwright

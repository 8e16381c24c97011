#include "cli/Progress.h"

#include "wording/Catalog.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace glyphwright::cli {
namespace {

using namespace std::chrono_literals;

// German numbers, and English ones once English is chosen.
TEST(Progress, NumbersOfTheChosenLanguage) {
    EXPECT_EQ(GroupDigits(0), "0");
    EXPECT_EQ(GroupDigits(999), "999");
    EXPECT_EQ(GroupDigits(1000), "1.000");
    EXPECT_EQ(GroupDigits(1234567), "1.234.567");
    EXPECT_EQ(FormatRate(0), "0,0 MB/s");
    EXPECT_EQ(FormatRate(45.65e6), "45,7 MB/s");
    EXPECT_EQ(FormatRate(1234.5e6), "1.234,5 MB/s");
    wording::UseLanguage(wording::Language::English);
    EXPECT_EQ(GroupDigits(1234567), "1,234,567");
    EXPECT_EQ(FormatRate(1234.5e6), "1,234.5 MB/s");
    wording::UseLanguage(wording::Language::German);
}

// Each file counts once: converted (by character set), unchanged, named twice, or failed.
TEST(Progress, SummaryLines) {
    // Converted, of those as UTF-8, named twice, failed, unchanged.
    const std::vector<std::pair<SummaryCounts, std::string>> cases{
        {{1234, 1200, 0, 2},
         "1.234 Dateien umgewandelt (1.200 als UTF-8, 34 als Windows-1252), 2 fehlgeschlagen"},
        {{1, 0, 0, 0}, "1 Datei umgewandelt (0 als UTF-8, 1 als Windows-1252)"},
        {{0, 0, 0, 1}, "0 Dateien umgewandelt, 1 fehlgeschlagen"},
        {{3, 2, 1, 0},
         "3 Dateien umgewandelt (2 als UTF-8, 1 als Windows-1252), 1 doppelt genannt"},
        {{0, 0, 2, 1}, "0 Dateien umgewandelt, 2 doppelt genannt, 1 fehlgeschlagen"},
        // Files left alone as nothing in them would change.
        {{0, 0, 0, 0, 20000}, "0 Dateien umgewandelt, 20.000 unverändert"},
        {{3, 2, 1, 1, 1},
         "3 Dateien umgewandelt (2 als UTF-8, 1 als Windows-1252), 1 unverändert, 1 doppelt "
         "genannt, 1 fehlgeschlagen"},
    };
    for (const auto& [counts, line] : cases) {
        EXPECT_EQ(SummaryLine(counts), line);
    }
    EXPECT_EQ(StoppedSummaryLine({12, 0, 1, 1}, 1222),
              "abgebrochen: 12 Dateien umgewandelt (0 als UTF-8, 12 als Windows-1252), 1 doppelt "
              "genannt, 1 fehlgeschlagen, 1.222 nicht bearbeitet");
}

TEST(Progress, TheLineFitsItsWidthByShorteningThePathAtItsFront) {
    EXPECT_EQ(ProgressText(3, 1200, 12.3e6, "/web/a.htm", 80),
              "3/1.200 Dateien, 12,3 MB/s: /web/a.htm");
    // 27 columns before the path; "…" and the path's last characters fill the rest.
    EXPECT_EQ(ProgressText(3, 1200, 12.3e6, "/web/sub/ä/index.htm", 40),
              "3/1.200 Dateien, 12,3 MB/s: …ä/index.htm");
    EXPECT_EQ(ProgressText(3, 1200, 12.3e6, "/web/a.htm", 20), "3/1.200 Dateien, 12,3 MB/s");
    EXPECT_EQ(ProgressText(0, 0, 0, "", 80), "0/0 Dateien, 0,0 MB/s");
    EXPECT_EQ(ProgressText(1, 2, 0, "a\nb\x1b", 80), "1/2 Dateien, 0,0 MB/s: 'a'$'\\n''b'$'\\033'");
}

// Progress drawn into memory, with a clock the test moves.
class ProgressLineTest : public ::testing::Test {
protected:
    ProgressLineTest() : stream(open_memstream(&buffer, &size)) {}
    ~ProgressLineTest() override {
        std::fclose(stream);
        std::free(buffer);
    }
    std::string Drawn() {
        std::fflush(stream);
        return std::string(buffer, size);
    }

    char* buffer = nullptr;
    std::size_t size = 0;
    std::FILE* stream;
    ProgressLine::Clock::time_point now{};
    ProgressLine::Now clock = [this] { return now; };
};

TEST_F(ProgressLineTest, RedrawsAtMostTenTimesASecond) {
    ProgressLine line(stream, 1000, 80, clock);
    for (int file = 0; file < 1000; ++file) {
        line.Started("/w/f.htm");
        now += 1ms;
        line.Finished(2000);
    }
    // A second of work: the first file at once, then one drawing per 100 ms.
    EXPECT_EQ(line.Redraws(), 11u);
    const std::string last = "\r1.000/1.000 Dateien, 2,0 MB/s: /w/f.htm\x1b[K";
    ASSERT_GE(Drawn().size(), last.size());
    EXPECT_EQ(Drawn().substr(Drawn().size() - last.size()), last);
    line.Clear();
    const std::string cleared = Drawn();
    EXPECT_EQ(cleared.substr(cleared.size() - 4), "\r\x1b[K");
    line.Clear(); // nothing shown any more: nothing written
    EXPECT_EQ(Drawn(), cleared);
}

TEST_F(ProgressLineTest, NothingDrawnNothingCleared) {
    ProgressLine line(stream, 0, 80, clock);
    line.Clear();
    EXPECT_EQ(Drawn(), "");
    EXPECT_EQ(line.Redraws(), 0u);
}

} // namespace
} // namespace glyphwright::cli

// The filter (ConvertStream, as glyphwright-cli runs it without a path) on
// 64 MiB of the typical corpus with LF line ends, read from memory through
// fmemopen and written to /dev/null, so that only the filter's own work is
// timed. The Windows-1252 stream under --cp1252 takes the path every stream
// took before the filter looked at its bytes; the same text as UTF-8, with
// the set found on the stream, is what a Linux pipe brings now. Rounds are
// interleaved, so that drift hits all alike; prints medians and the ratio.
#include "bench/Corpus.h"
#include "bench/ProgramMain.h"
#include "cli/StreamConvert.h"
#include "entities/Unit_HtmlUmlaute.h"
#include "entities/Utf8Entities.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace glyphwright::bench {
namespace {

using cli::Direction;
using cli::Encoding;

constexpr std::size_t kCorpusSize = std::size_t{64} << 20;
constexpr std::size_t kRounds = 15;
constexpr double kTarget = 0.80; // UTF-8 found against Windows-1252, for the same text

struct Case {
    const char* what;
    const std::string* input;
    Direction direction;
    std::optional<Encoding> encoding;
    std::vector<double> seconds;
};

double RunOnce(const Case& c, std::FILE* out) {
    std::FILE* in = fmemopen(const_cast<char*>(c.input->data()), c.input->size(), "r");
    if (in == nullptr) {
        throw std::runtime_error("fmemopen failed");
    }
    const auto start = std::chrono::steady_clock::now();
    const std::string invalid = cli::ConvertStream(in, out, c.direction, c.encoding);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    std::fclose(in);
    if (!invalid.empty()) {
        throw std::runtime_error(std::string(c.what) + ": " + invalid);
    }
    return elapsed.count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

int Run() {
    const std::string windows1252 = MakeTypicalCorpus(kCorpusSize, LineEnd::Lf);
    const std::string utf8 = Latin1ToUtf8(windows1252);
    const std::string encoded = EncodeUmlauts(windows1252);
    std::vector<Case> cases = {
        {"encode Windows-1252, --cp1252",
         &windows1252,
         Direction::Encode,
         Encoding::Windows1252,
         {}},
        {"encode UTF-8, found", &utf8, Direction::Encode, std::nullopt, {}},
        {"encode Windows-1252, found", &windows1252, Direction::Encode, std::nullopt, {}},
        {"encode UTF-8, --utf8", &utf8, Direction::Encode, Encoding::Utf8, {}},
        {"decode ASCII, --cp1252", &encoded, Direction::Decode, Encoding::Windows1252, {}},
        {"decode ASCII, found", &encoded, Direction::Decode, std::nullopt, {}},
    };
    std::FILE* out = std::fopen("/dev/null", "w");
    if (out == nullptr) {
        throw std::runtime_error("cannot open /dev/null");
    }
    for (const Case& c : cases) {
        RunOnce(c, out); // warm-up
    }
    // Each round starts one case later, so that no case always follows the same one.
    for (std::size_t round = 0; round < kRounds; ++round) {
        for (std::size_t k = 0; k < cases.size(); ++k) {
            Case& c = cases[(round + k) % cases.size()];
            c.seconds.push_back(RunOnce(c, out));
        }
    }
    std::fclose(out);

    std::printf("glyphwright-cli as a filter, %.0f MiB of typical pages (%.1f %% high bytes "
                "as Windows-1252), median of %d rounds:\n",
                static_cast<double>(windows1252.size()) / (1 << 20),
                100.0 * HighByteShare(windows1252), static_cast<int>(kRounds));
    for (const Case& c : cases) {
        const double median = Median(c.seconds);
        std::printf("  %-32s %8.1f ms  %7.0f MB/s of input\n", c.what, median * 1e3,
                    static_cast<double>(c.input->size()) / median / 1e6);
    }
    // Both as the ratio of the medians and as the median of each round's own
    // ratio, which a machine that slows down for a while disturbs less.
    const std::vector<double>& windows = cases[0].seconds;
    const std::vector<double>& found = cases[1].seconds;
    std::vector<double> roundRatios;
    for (std::size_t round = 0; round < kRounds; ++round) {
        roundRatios.push_back(windows[round] / found[round]);
    }
    const double sameText = Median(windows) / Median(found);
    const double perByte =
        sameText * static_cast<double>(utf8.size()) / static_cast<double>(windows1252.size());
    const double perRound = Median(roundRatios);
    std::printf("UTF-8 found / Windows-1252, speed for the same text: %.2f (medians), %.2f "
                "(median of the rounds' ratios); in bytes per second %.2f (target >= %.2f) %s\n",
                sameText, perRound, perByte, kTarget,
                std::min(sameText, perRound) >= kTarget ? "met" : "MISSED");
    return EXIT_SUCCESS;
}

} // namespace
} // namespace glyphwright::bench

int main() {
    return glyphwright::bench::RunProgram("bench_filter", glyphwright::bench::Run);
}

// Peak resident memory of glyphwright-cli on single large files, among them
// files whose converted or joined text is several times their size, and of
// the filter mode on input dense with '&' and on entities whose character set
// is not decided for a while. Each run is measured by
// /usr/bin/time -f %M: a child started by this program would count this
// program's own memory as well, one started by time(1) does not.
#include "bench/ChildProcess.h"
#include "bench/Corpus.h"
#include "bench/ProgramMain.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

namespace glyphwright::bench {
namespace {

constexpr std::size_t kFileSize = 100'000'000;
constexpr double kTarget = 3.0;           // times the file's size
constexpr double kFilterTargetMiB = 16.0; // whatever the input

// Lines of 79 bytes, each an accented letter with the given share, else a
// lower-case ASCII letter; LF line ends. Deterministic.
std::string AccentedText(std::size_t size, double share) {
    static const char accented[] = "\xE4\xF6\xFC\xC4\xD6\xDC\xDF\xE9\xE8\xE0\xE7\xF1";
    std::uint64_t state = 0x2545F4914F6CDD1Dull;
    std::string text;
    text.reserve(size + 80);
    while (text.size() < size) {
        for (int i = 0; i < 79; ++i) {
            state = state * 6364136223846793005ull + 1442695040888963407ull;
            const double pick = static_cast<double>(state >> 11) / 9007199254740992.0;
            const auto index = static_cast<std::size_t>(state >> 59);
            text += pick < share ? accented[index % (sizeof accented - 1)]
                                 : static_cast<char>('a' + index % 26);
        }
        text += '\n';
    }
    text.resize(size);
    return text;
}

struct Peak {
    long kib = 0;
    double seconds = 0;
};

// Runs a shell command line under /usr/bin/time -f %M.
Peak MeasureShell(const std::string& command, const std::string& workDir) {
    const ChildResult result =
        RunChild({"/bin/sh", "-c", "exec /usr/bin/time -f %M " + command}, workDir);
    if (result.exitStatus != 0) {
        throw std::runtime_error("failed: " + command + ": " + result.standardError);
    }
    const std::size_t lastLine =
        result.standardError.find_last_of('\n', result.standardError.size() - 2);
    const std::string figure =
        result.standardError.substr(lastLine == std::string::npos ? 0 : lastLine + 1);
    return {std::atol(figure.c_str()), result.seconds};
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<long>(bytes.size()));
}

void PrintPeak(const char* what, std::size_t size, const Peak& peak) {
    const double ratio = static_cast<double>(peak.kib) * 1024.0 / static_cast<double>(size);
    std::printf("  %-36s %7.1f MB  %6.0f MiB peak  %5.2f x  %5.2f s  (target <= %.2f x) %s\n", what,
                static_cast<double>(size) / 1e6, static_cast<double>(peak.kib) / 1024.0, ratio,
                peak.seconds, kTarget, ratio <= kTarget ? "met" : "MISSED");
}

int Run() {
    const std::filesystem::path scratch =
        std::filesystem::path(GW_BENCH_SCRATCH) / ("memory-" + std::to_string(::getpid()));
    std::filesystem::remove_all(scratch);
    std::filesystem::create_directories(scratch);
    const std::string cli = GW_CLI_PATH;
    const std::string file = (scratch / "large.htm").string();

    struct Content {
        const char* what;
        std::function<std::string()> make;
    };
    const std::vector<Content> contents = {
        {"typical pages, 256 MiB",
         [] {
             std::string text = MakeTypicalCorpus(std::size_t{256} << 20, LineEnd::Lf, 256);
             text.resize(text.rfind('\n', (std::size_t{256} << 20) - 1) + 1);
             return text;
         }},
        {"almost only accented letters", [] { return AccentedText(kFileSize, 0.98); }},
        {"half accented letters", [] { return AccentedText(kFileSize, 0.5); }},
        {"one line of accented letters", [] { return std::string(kFileSize, '\xE9'); }},
        {"line ends only", [] { return std::string(kFileSize, '\n'); }},
    };
    std::printf("glyphwright-cli encode FILE (with its backup), peak resident memory:\n");
    for (const Content& content : contents) {
        std::size_t size = 0;
        {
            const std::string bytes = content.make();
            size = bytes.size();
            WriteFile(file, bytes);
        }
        ::sync();
        const Peak peak = MeasureShell(cli + " encode " + file, scratch.string());
        PrintPeak(content.what, size, peak);
        std::filesystem::remove(file);
        std::filesystem::remove(file + "._backup_");
    }

    std::printf("glyphwright-cli as a filter (standard input to output), peak resident memory:\n");
    struct Filter {
        const char* what;
        const char* direction;
        std::function<std::string()> make;
    };
    const std::vector<Filter> filters = {
        {"decode of \"&a\" repeated, 200 MiB", "decode",
         [] {
             std::string text;
             text.reserve(std::size_t{200} << 20);
             while (text.size() < (std::size_t{200} << 20)) {
                 text += "&a";
             }
             return text;
         }},
        {"encode of almost only accented", "encode", [] { return AccentedText(kFileSize, 0.98); }},
        // Pure ASCII with entities of umlauts from the start: held until the
        // bound, then decided by the (missing) declaration.
        {"decode of umlaut entities only", "decode",
         [] {
             std::string text;
             text.reserve(kFileSize + 32);
             while (text.size() < kFileSize) {
                 text += "Gr&uuml;&szlig;e ";
             }
             return text;
         }},
    };
    for (const Filter& filter : filters) {
        std::size_t size = 0;
        {
            const std::string bytes = filter.make();
            size = bytes.size();
            WriteFile(file, bytes);
        }
        const Peak peak = MeasureShell(cli + " " + filter.direction + " < " + file + " > /dev/null",
                                       scratch.string());
        const double mib = static_cast<double>(peak.kib) / 1024.0;
        std::printf("  %-36s %7.1f MB  %6.1f MiB peak  %5.2f s  (target <= %.0f MiB) %s\n",
                    filter.what, static_cast<double>(size) / 1e6, mib, peak.seconds,
                    kFilterTargetMiB, mib <= kFilterTargetMiB ? "met" : "MISSED");
        std::filesystem::remove(file);
    }
    std::filesystem::remove_all(scratch);
    return EXIT_SUCCESS;
}

} // namespace
} // namespace glyphwright::bench

int main() {
    return glyphwright::bench::RunProgram("bench_memory", glyphwright::bench::Run);
}

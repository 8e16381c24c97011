// Throughput of the per-file step (load, choose the character set, convert,
// replace the file) on one page of the typical corpus, stored as Windows-1252
// and as UTF-8, written in the window's form (CR LF) and with the bytes' own
// line ends kept. The file lives in /dev/shm where there is one, so that the
// figure is the program's cost and not the disk's.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>
#include <unistd.h>

#include "bench/Corpus.h"
#include "entities/Unit_HtmlUmlaute.h"
#include "entities/Utf8Entities.h"
#include "files/collect/FileList.h"
#include "files/runs/ConvertListedFile.h"

namespace glyphwright::bench {
namespace {

constexpr std::size_t kPageSize = std::size_t{16} << 20;

std::string ScratchPath() {
    const char* folder = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    return std::string(folder) + "/glyphwright-bench-" + std::to_string(getpid()) + ".htm";
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() ||
        std::fclose(file) != 0) {
        std::perror(path.c_str());
        std::abort();
    }
}

// A conversion that copies its text: the step's cost without the codec's.
Conversion CopyConversion() {
    const TextConversion copy = [](std::string_view text) { return std::string(text); };
    return {copy, copy};
}

void FileStep(benchmark::State& state, bool utf8, LineEnds lineEnds, bool copyOnly = false) {
    const std::string windows1252 = MakeTypicalCorpus(kPageSize, LineEnd::Lf);
    const std::string input = utf8 ? Latin1ToUtf8(windows1252) : windows1252;
    FileList list;
    list.Append(ScratchPath());
    const ConvertHooks hooks;
    for (auto _ : state) {
        state.PauseTiming();
        WriteFile(list.Path(0), input);
        state.ResumeTiming();
        Conversion conversion = copyOnly ? CopyConversion() : EncodeConversion();
        conversion.lineEnds = lineEnds;
        const FileOutcome outcome = ConvertListedFile(list, 0, conversion, hooks);
        if (!outcome.converted) {
            state.SkipWithError(DebugText(outcome.failure).c_str());
            break;
        }
    }
    ::unlink(list.Path(0).c_str());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(input.size()));
}

// The window's form, lines joined with CR LF, and the tool's, the bytes kept.
BENCHMARK_CAPTURE(FileStep, encode_windows1252, false, LineEnds::CrLf)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FileStep, encode_utf8, true, LineEnds::CrLf)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FileStep, keep_windows1252, false, LineEnds::Keep)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FileStep, keep_utf8, true, LineEnds::Keep)->Unit(benchmark::kMillisecond);
// The floor under the rows above: the file read, copied and written.
BENCHMARK_CAPTURE(FileStep, keep_copy_only, false, LineEnds::Keep, true)
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace glyphwright::bench

// Throughput of the UTF-8 conversion on the typical corpus stored as UTF-8,
// with the Windows-1252 codec on the same text and a plain copy beside it.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

#include "bench/Corpus.h"
#include "entities/Unit_HtmlUmlaute.h"
#include "entities/Utf8Entities.h"

namespace glyphwright::bench {
namespace {

constexpr std::size_t kCorpusSize = std::size_t{64} << 20;

const std::string& Windows1252() {
    static const std::string corpus = MakeTypicalCorpus(kCorpusSize);
    return corpus;
}

const std::string& Utf8() {
    static const std::string corpus = Latin1ToUtf8(Windows1252());
    return corpus;
}

const std::string& Utf8Encoded() {
    static const std::string corpus = EncodeUmlautsUtf8(Utf8());
    return corpus;
}

using Corpus = const std::string& (*)();
using Conversion = std::string (*)(std::string_view);

void Describe(benchmark::State& state, const std::string& input) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(input.size()));
    state.counters["MiB"] = static_cast<double>(input.size()) / (1 << 20);
}

void Memcpy(benchmark::State& state, Corpus corpus) {
    const std::string& input = corpus();
    std::string output(input.size(), '\0');
    for (auto _ : state) {
        std::memcpy(output.data(), input.data(), input.size());
        benchmark::DoNotOptimize(output.data());
        benchmark::ClobberMemory();
    }
    Describe(state, input);
}

void Convert(benchmark::State& state, Conversion convert, Corpus corpus) {
    const std::string& input = corpus();
    benchmark::DoNotOptimize(convert(input).size()); // the first huge output pays for page setup
    for (auto _ : state) {
        std::string output = convert(input);
        benchmark::DoNotOptimize(output.data());
    }
    Describe(state, input);
}

void Validate(benchmark::State& state, Corpus corpus) {
    const std::string& input = corpus();
    for (auto _ : state) {
        benchmark::DoNotOptimize(FindInvalidUtf8(input));
    }
    Describe(state, input);
}

BENCHMARK_CAPTURE(Memcpy, utf8, Utf8)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Validate, utf8, Utf8)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Convert, encode_utf8, EncodeUmlautsUtf8, Utf8)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Convert, decode_utf8, DecodeEntitiesUtf8, Utf8Encoded)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Convert, encode_windows1252, EncodeUmlauts, Windows1252)
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace glyphwright::bench

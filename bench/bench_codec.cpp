// Throughput of the codec on generated corpora of 64 MiB, with a plain copy
// of the same input beside it as the machine's ceiling.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

#include "bench/Corpus.h"
#include "entities/Unit_HtmlUmlaute.h"
#include "files/io/FileContent.h"
#include "files/text/LineList.h"
#include "files/text/PieceConversion.h"

namespace glyphwright::bench {
namespace {

constexpr std::size_t kCorpusSize = std::size_t{64} << 20;

const std::string& Typical() {
    static const std::string corpus = MakeTypicalCorpus(kCorpusSize);
    return corpus;
}

const std::string& Dense() {
    static const std::string corpus = MakeDenseCorpus(kCorpusSize);
    return corpus;
}

const std::string& TypicalEncoded() {
    static const std::string corpus = EncodeUmlauts(Typical());
    return corpus;
}

const std::string& DenseEncoded() {
    static const std::string corpus = EncodeUmlauts(Dense());
    return corpus;
}

using Corpus = const std::string& (*)();

void Describe(benchmark::State& state, const std::string& input) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(input.size()));
    state.counters["MiB"] = static_cast<double>(input.size()) / (1 << 20);
    state.counters["high%"] = 100.0 * HighByteShare(input);
}

// One untimed call first: the very first huge output of a process also pays
// for the kernel gathering free huge pages, which the repeated runs do not.
void WarmUp(std::string (*convert)(std::string_view), const std::string& input) {
    benchmark::DoNotOptimize(convert(input).size());
}

// memcpy into a buffer allocated once: the bandwidth ceiling.
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

// A fresh string copy per run, as the codec makes a fresh string per call.
void CopyString(benchmark::State& state, Corpus corpus) {
    const std::string& input = corpus();
    for (auto _ : state) {
        std::string output(input);
        benchmark::DoNotOptimize(output.data());
    }
    Describe(state, input);
}

void Encode(benchmark::State& state, Corpus corpus) {
    const std::string& input = corpus();
    WarmUp(EncodeUmlauts, input);
    for (auto _ : state) {
        std::string output = EncodeUmlauts(input);
        benchmark::DoNotOptimize(output.data());
    }
    Describe(state, input);
}

void Decode(benchmark::State& state, Corpus corpus) {
    const std::string& input = corpus();
    WarmUp(DecodeEntities, input);
    for (auto _ : state) {
        std::string output = DecodeEntities(input);
        benchmark::DoNotOptimize(output.data());
    }
    Describe(state, input);
}

void SplitThenJoin(benchmark::State& state, Corpus corpus) {
    const std::string& input = corpus();
    for (auto _ : state) {
        std::string output = ContentText(JoinedContent(SplitLines(input)));
        benchmark::DoNotOptimize(output.data());
    }
    Describe(state, input);
}

BENCHMARK_CAPTURE(Memcpy, typical, Typical)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(CopyString, typical, Typical)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Encode, typical, Typical)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Decode, typical_encoded, TypicalEncoded)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SplitThenJoin, typical, Typical)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Memcpy, dense, Dense)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Encode, dense, Dense)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Decode, dense_encoded, DenseEncoded)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace glyphwright::bench

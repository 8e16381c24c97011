// The frame of both one-pass encoders. The high bytes are counted first, step
// by step, for a bound on the output; then the text is encoded a step at a
// time into a SteppedOutput, so that beyond the real output only the bound of
// the current step is ever taken, however many high bytes the text holds.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "entities/ByteScan.h"
#include "entities/CheckedSize.h"
#include "entities/EntityIndex.h"
#include "entities/OutputBuffer.h"

namespace glyphwright::detail {

// Input bytes per step: small enough that a step's room stays in the cache
// while it is filled.
inline constexpr std::size_t kEncodeStep = std::size_t{64} << 10;
static_assert(kEncodeStep % kBlock == 0);

// Room for what a step may write beyond the bound of its own bytes: the last
// bytes of the text taken one by one, a character that ends one byte into
// the next step, and block copies and whole-word stores running past the end.
inline constexpr std::size_t kStepMargin = 2 * kBlock * kMaxEntityLength + kBlock;

// Where the block loops must stop: a block copy may read up to one block
// beyond its own, so two blocks of input are kept ahead.
inline std::size_t BlocksEnd(std::size_t size) {
    return size < 2 * kBlock ? 0 : size - 2 * kBlock + 1;
}

// encodeStep(i, stepEnd, dst) encodes from byte i on, at least up to stepEnd
// (a character may take one byte more) or to the end of the text, advancing
// i and dst. Each high byte may add at most mostAdded bytes to the output.
template <class EncodeStep>
std::string EncodeInSteps(std::string_view text, std::size_t mostAdded, EncodeStep encodeStep) {
    // Counting high bytes is far cheaper than summing their entity lengths.
    const std::vector<std::size_t> stepHighBytes = CountHighBytesInSteps(text, kEncodeStep);
    std::size_t highBytes = 0;
    for (const std::size_t count : stepHighBytes) {
        highBytes += count;
    }
    if (highBytes == 0) {
        return std::string(text);
    }

    const std::size_t n = text.size();
    SteppedOutput out(SizeSum(n, SizeProduct(highBytes, mostAdded), kStepMargin));
    std::size_t i = 0;
    for (std::size_t step = 0; i < n; ++step) {
        const std::size_t stepEnd = std::min(n, (step + 1) * kEncodeStep);
        const std::size_t own = stepEnd > i ? stepEnd - i : 0;
        char* dst = out.Room(own + stepHighBytes[step] * mostAdded + kStepMargin);
        encodeStep(i, stepEnd, dst);
        out.WrittenUpTo(dst);
    }
    return out.Take();
}

} // namespace glyphwright::detail

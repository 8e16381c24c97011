// EncodeUmlauts in one pass: the high bytes are counted first for a bound on
// the output size, then the text is copied sixteen bytes at a time, stopping
// only at high bytes.
#include <bit>
#include <cstddef>
#include <string>
#include <string_view>

#include "entities/ByteScan.h"
#include "entities/EntityIndex.h"
#include "entities/OutputBuffer.h"
#include "entities/Unit_HtmlUmlaute.h"

namespace glyphwright {
namespace {

using detail::kBlock;
using detail::kEncodeTable;

// Block copies and whole-word entity stores may run up to this far past the
// last output byte; the buffer is cut back to size at the end.
constexpr std::size_t kSlack = kBlock;

const detail::EncodedByte& EncodingOf(char byte) {
    return kEncodeTable[static_cast<unsigned char>(byte)];
}

} // namespace

std::string EncodeUmlauts(std::string_view text) {
    const std::size_t highBytes = detail::CountHighBytes(text);
    if (highBytes == 0) {
        return std::string(text);
    }

    const char* const in = text.data();
    const std::size_t n = text.size();
    // Counting high bytes is far cheaper than summing their entity lengths;
    // the buffer is cut to the real length at the end.
    const std::size_t bound = n + highBytes * (detail::kMaxEntityLength - 1);
    std::string out = detail::MakeOutputBuffer(bound + kSlack);
    char* dst = out.data();
    std::size_t i = 0;

    // A block copy starts anywhere inside the current block, so it may read up
    // to one block beyond it: keep two blocks of input ahead.
    for (; n - i >= 2 * kBlock; i += kBlock) {
        const char* const block = in + i;
        std::size_t copied = 0;
        for (unsigned mask = detail::HighByteMask(block); mask != 0; mask &= mask - 1) {
            const auto high = static_cast<std::size_t>(std::countr_zero(mask));
            detail::CopyBlock(dst, block + copied);
            dst += high - copied;
            const detail::EncodedByte& encoded = EncodingOf(block[high]);
            detail::StoreWord(dst, encoded.word);
            dst += encoded.length;
            copied = high + 1;
        }
        detail::CopyBlock(dst, block + copied);
        dst += kBlock - copied;
    }
    for (; i < n; ++i) {
        const detail::EncodedByte& encoded = EncodingOf(in[i]);
        detail::StoreWord(dst, encoded.word);
        dst += encoded.length;
    }

    out.resize(static_cast<std::size_t>(dst - out.data()));
    return out;
}

} // namespace glyphwright

// EncodeUmlauts in one pass: the text is copied sixteen bytes at a time,
// stopping only at high bytes.
#include <algorithm>
#include <bit>
#include <cstddef>
#include <string>
#include <string_view>

#include "entities/ByteScan.h"
#include "entities/EntityIndex.h"
#include "entities/SteppedEncode.h"
#include "entities/Unit_HtmlUmlaute.h"

namespace glyphwright {
namespace {

using detail::kBlock;
using detail::kEncodeTable;

const detail::EncodedByte& EncodingOf(char byte) {
    return kEncodeTable[static_cast<unsigned char>(byte)];
}

} // namespace

std::string EncodeUmlauts(std::string_view text) {
    const char* const in = text.data();
    const std::size_t n = text.size();
    const auto encodeStep = [in, n](std::size_t& i, std::size_t stepEnd, char*& dst) {
        for (const std::size_t end = std::min(stepEnd, detail::BlocksEnd(n)); i < end;
             i += kBlock) {
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
        if (i >= detail::BlocksEnd(n)) {
            for (; i < n; ++i) {
                const detail::EncodedByte& encoded = EncodingOf(in[i]);
                detail::StoreWord(dst, encoded.word);
                dst += encoded.length;
            }
        }
    };
    return detail::EncodeInSteps(text, detail::kMaxEntityLength - 1, encodeStep);
}

} // namespace glyphwright

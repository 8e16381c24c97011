// EncodeUmlautsUtf8 in one pass, built like EncodeUmlauts: sixteen bytes at a
// time, stopping only at high bytes, of which just the lead bytes 0xC2 and
// 0xC3 (characters U+0080..U+00FF) can start an entity.
#include <algorithm>
#include <bit>
#include <cstddef>
#include <string>
#include <string_view>

#include "entities/ByteScan.h"
#include "entities/EntityIndex.h"
#include "entities/SteppedEncode.h"
#include "entities/Utf8Entities.h"

namespace glyphwright {
namespace {

using detail::kBlock;

// The entity of the two bytes lead, next when they are a character
// U+0080..U+00FF with a row; nullptr otherwise.
const detail::EncodedByte* EntityOf(char lead, char next) {
    const auto first = static_cast<unsigned char>(lead);
    const auto second = static_cast<unsigned char>(next);
    if ((first != 0xC2 && first != 0xC3) || (second & 0xC0) != 0x80) {
        return nullptr;
    }
    const unsigned codePoint = ((first & 0x03u) << 6) | (second & 0x3Fu);
    const detail::EncodedByte& encoded = detail::kEncodeTable[codePoint];
    return encoded.length > 1 ? &encoded : nullptr;
}

} // namespace

std::string EncodeUmlautsUtf8(std::string_view text) {
    const char* const in = text.data();
    const std::size_t n = text.size();
    const auto encodeStep = [in, n](std::size_t& i, std::size_t stepEnd, char*& dst) {
        // A character may end one byte into the next block, and a block copy
        // reads up to one block beyond the current one: keep two blocks ahead.
        for (const std::size_t end = std::min(stepEnd, detail::BlocksEnd(n)); i < end;) {
            const char* const block = in + i;
            std::size_t done = 0; // bytes of this block written or consumed
            for (unsigned mask = detail::HighByteMask(block); mask != 0; mask &= mask - 1) {
                const auto high = static_cast<std::size_t>(std::countr_zero(mask));
                if (high < done) {
                    continue; // the second byte of a character just encoded
                }
                const detail::EncodedByte* entity = EntityOf(block[high], block[high + 1]);
                if (entity == nullptr) {
                    continue; // copied with the rest of the block
                }
                detail::CopyBlock(dst, block + done);
                dst += high - done;
                detail::StoreWord(dst, entity->word);
                dst += entity->length;
                done = high + 2;
            }
            if (done <= kBlock) {
                detail::CopyBlock(dst, block + done);
                dst += kBlock - done;
                i += kBlock;
            } else {
                i += done; // the last character took the next block's first byte
            }
        }
        if (i >= detail::BlocksEnd(n)) {
            while (i < n) {
                const detail::EncodedByte* entity =
                    i + 1 < n ? EntityOf(in[i], in[i + 1]) : nullptr;
                if (entity == nullptr) {
                    *dst++ = in[i++];
                    continue;
                }
                detail::StoreWord(dst, entity->word);
                dst += entity->length;
                i += 2;
            }
        }
    };
    // An entity (at most 8 bytes) replaces two high bytes: at most 3 more per high byte.
    return detail::EncodeInSteps(text, (detail::kMaxEntityLength - 2) / 2, encodeStep);
}

} // namespace glyphwright

// DecodeEntitiesUtf8 in one pass, with the scan of DecodeEntities: each '&' of
// the input (except its last byte) is examined once against the at most seven
// bytes after it. A found character is written as UTF-8, one or two bytes,
// never more than the entity it replaces.
#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "ByteScan.h"
#include "EntityIndex.h"
#include "OutputBuffer.h"
#include "Utf8Entities.h"

namespace glyphwright {
namespace {

using detail::kBlock;

constexpr std::size_t kSlack = kBlock; // block copies run up to one block past the output

constexpr std::size_t kWindow = detail::kMaxEntityLength - 1; // bytes after the '&'

constexpr std::uint64_t kOnes = 0x0101010101010101ull;
constexpr std::uint64_t kHighBits = 0x8080808080808080ull;

void PutCharacter(unsigned character, char*& dst) {
    if (character < 0x80) {
        *dst++ = static_cast<char>(character);
    } else {
        *dst++ = static_cast<char>(0xC0 | (character >> 6));
        *dst++ = static_cast<char>(0x80 | (character & 0x3F));
    }
}

// Handles the '&' at in[at]: writes its replacement to dst and returns how
// many input bytes it stands for (the whole entity, or just the '&').
std::size_t DecodeAmpersand(const char* in, std::size_t n, std::size_t at, char*& dst) {
    std::size_t length = 0; // of the candidate, '&' to ';' inclusive
    std::uint64_t candidate = 0;
    if (n - at > kWindow) {
        const std::uint64_t word = detail::LoadWord(in + at);
        // Bytes equal to ';' become zero; the lowest flagged byte is exact.
        const std::uint64_t x = word ^ (kOnes * ';');
        const std::uint64_t semicolons = (x - kOnes) & ~x & kHighBits;
        if (semicolons != 0) {
            length = static_cast<std::size_t>(std::countr_zero(semicolons)) / 8 + 1;
            candidate = length == 8 ? word : word & ((std::uint64_t{1} << (8 * length)) - 1);
        }
    } else {
        // Near the end the window stops at the last byte of the text.
        const std::size_t last = std::min(at + kWindow, n - 1);
        for (std::size_t q = at + 1; q <= last; ++q) {
            if (in[q] == ';') {
                length = q - at + 1;
                candidate = detail::PackWord(std::string_view(in + at, length));
                break;
            }
        }
    }
    if (length != 0) {
        const int character = detail::LookUpEntityWord(candidate);
        if (character >= 0) {
            PutCharacter(static_cast<unsigned>(character), dst);
            return length;
        }
    }
    *dst++ = '&';
    return 1;
}

} // namespace

std::string DecodeEntitiesUtf8(std::string_view text) {
    const char* const in = text.data();
    const std::size_t n = text.size();
    // The last byte is never examined, so an '&' must come before it.
    if (n < 2 || std::memchr(in, '&', n - 1) == nullptr) {
        return std::string(text);
    }

    std::string out = detail::MakeOutputBuffer(n + kSlack); // decoding never lengthens
    char* dst = out.data();
    std::size_t i = 0;

    while (n - i >= kBlock) {
        const unsigned mask = detail::EqualByteMask(in + i, '&');
        detail::CopyBlock(dst, in + i);
        if (mask == 0) {
            dst += kBlock;
            i += kBlock;
            continue;
        }
        const auto ampersand = static_cast<std::size_t>(std::countr_zero(mask));
        dst += ampersand;
        i += ampersand;
        i += DecodeAmpersand(in, n, i, dst);
    }
    while (i < n) {
        const void* found = std::memchr(in + i, '&', n - i);
        const std::size_t next =
            found ? static_cast<std::size_t>(static_cast<const char*>(found) - in) : n;
        std::memcpy(dst, in + i, next - i);
        dst += next - i;
        i = next;
        if (i < n) {
            i += DecodeAmpersand(in, n, i, dst);
        }
    }

    out.resize(static_cast<std::size_t>(dst - out.data()));
    return out;
}

} // namespace glyphwright

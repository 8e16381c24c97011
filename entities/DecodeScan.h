// The decode scan shared by DecodeEntities and DecodeEntitiesUtf8, which
// differ only in how a found character is written. The in-place scan only
// ever changes text before its position, so the bytes from the position on
// are always the untouched rest of the input: each '&' of the input (except
// its last byte) is examined once, against the at most seven bytes after it.
#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "entities/ByteScan.h"
#include "entities/CheckedSize.h"
#include "entities/EntityIndex.h"
#include "entities/OutputBuffer.h"

namespace glyphwright::detail::decode {

// Block copies may run up to one block past the last output byte.
inline constexpr std::size_t kSlack = kBlock;

inline constexpr std::size_t kWindow = kMaxEntityLength - 1; // bytes after the '&'

inline constexpr std::uint64_t kOnes = 0x0101010101010101ull;
inline constexpr std::uint64_t kHighBits = 0x8080808080808080ull;

// Handles the '&' at in[at]: writes its replacement to dst (a found character
// through put) and returns how many input bytes it stands for (the whole
// entity, or just the '&').
template <class PutCharacter>
std::size_t DecodeAmpersand(const char* in, std::size_t n, std::size_t at, char*& dst,
                            PutCharacter put) {
    std::size_t length = 0; // of the candidate, '&' to ';' inclusive
    std::uint64_t candidate = 0;
    if (n - at > kWindow) {
        const std::uint64_t word = LoadWord(in + at);
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
                candidate = PackWord(std::string_view(in + at, length));
                break;
            }
        }
    }
    if (length != 0) {
        const int character = LookUpEntityWord(candidate);
        if (character >= 0) {
            put(static_cast<unsigned>(character), dst);
            return length;
        }
    }
    *dst++ = '&';
    return 1;
}

// The whole scan; put writes a found character, never longer than its entity.
template <class PutCharacter> std::string DecodeWith(std::string_view text, PutCharacter put) {
    const char* const in = text.data();
    const std::size_t n = text.size();
    // The last byte is never examined, so an '&' must come before it.
    if (n < 2 || std::memchr(in, '&', n - 1) == nullptr) {
        return std::string(text);
    }

    std::string out = MakeOutputBuffer(SizeSum(n, kSlack)); // decoding never lengthens
    char* dst = out.data();
    std::size_t i = 0;

    while (n - i >= kBlock) {
        const unsigned mask = EqualByteMask(in + i, '&');
        CopyBlock(dst, in + i);
        if (mask == 0) {
            dst += kBlock;
            i += kBlock;
            continue;
        }
        const auto ampersand = static_cast<std::size_t>(std::countr_zero(mask));
        dst += ampersand;
        i += ampersand;
        i += DecodeAmpersand(in, n, i, dst, put);
    }
    while (i < n) {
        const void* found = std::memchr(in + i, '&', n - i);
        const std::size_t next =
            found ? static_cast<std::size_t>(static_cast<const char*>(found) - in) : n;
        std::memcpy(dst, in + i, next - i);
        dst += next - i;
        i = next;
        if (i < n) {
            i += DecodeAmpersand(in, n, i, dst, put);
        }
    }

    out.resize(static_cast<std::size_t>(dst - out.data()));
    return out;
}

} // namespace glyphwright::detail::decode

// Sixteen bytes at a time: which bytes are high (0x80 and above), equal a
// given byte or lie in a range, as a bit mask (bit j for byte j), how many are high, and plain
// 16-byte copies.
// SSE2 where the compiler offers it (every x86-64), a byte loop elsewhere.
#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace glyphwright::detail {

inline constexpr std::size_t kBlock = 16;

#if defined(__SSE2__)

inline unsigned HighByteMask(const char* bytes) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
    return static_cast<unsigned>(_mm_movemask_epi8(block));
}

inline unsigned EqualByteMask(const char* bytes, char wanted) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, _mm_set1_epi8(wanted))));
}

// Bytes from low to high inclusive, compared as unsigned.
inline unsigned RangeMask(const char* bytes, unsigned char low, unsigned char high) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
    // (byte - low) wraps around, so it is at most high - low just for bytes in range.
    const __m128i shifted = _mm_sub_epi8(block, _mm_set1_epi8(static_cast<char>(low)));
    const __m128i above = _mm_subs_epu8(shifted, _mm_set1_epi8(static_cast<char>(high - low)));
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(above, _mm_setzero_si128())));
}

inline void CopyBlock(char* to, const char* from) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(to),
                     _mm_loadu_si128(reinterpret_cast<const __m128i*>(from)));
}

// The number of high bytes among the first `blocks` whole blocks.
inline std::size_t CountHighBytesInBlocks(const char* bytes, std::size_t blocks) {
    const __m128i zero = _mm_setzero_si128();
    std::size_t count = 0;
    while (blocks != 0) {
        // Byte lanes count up to 255 before they are summed into 64-bit lanes.
        const std::size_t round = blocks < 255 ? blocks : 255;
        __m128i lanes = zero;
        for (std::size_t b = 0; b < round; ++b, bytes += kBlock) {
            const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
            lanes = _mm_sub_epi8(lanes, _mm_cmplt_epi8(block, zero)); // high bytes are negative
        }
        const __m128i sums = _mm_sad_epu8(lanes, zero);
        count += static_cast<std::size_t>(_mm_cvtsi128_si64(sums)) +
                 static_cast<std::size_t>(_mm_cvtsi128_si64(_mm_unpackhi_epi64(sums, sums)));
        blocks -= round;
    }
    return count;
}

#else

inline unsigned HighByteMask(const char* bytes) {
    unsigned mask = 0;
    for (unsigned j = 0; j < kBlock; ++j) {
        mask |= static_cast<unsigned>(static_cast<unsigned char>(bytes[j]) >> 7) << j;
    }
    return mask;
}

inline unsigned EqualByteMask(const char* bytes, char wanted) {
    unsigned mask = 0;
    for (unsigned j = 0; j < kBlock; ++j) {
        mask |= static_cast<unsigned>(bytes[j] == wanted) << j;
    }
    return mask;
}

inline unsigned RangeMask(const char* bytes, unsigned char low, unsigned char high) {
    unsigned mask = 0;
    for (unsigned j = 0; j < kBlock; ++j) {
        const auto byte = static_cast<unsigned char>(bytes[j]);
        mask |= static_cast<unsigned>(byte >= low && byte <= high) << j;
    }
    return mask;
}

inline void CopyBlock(char* to, const char* from) {
    std::memcpy(to, from, kBlock);
}

inline std::size_t CountHighBytesInBlocks(const char* bytes, std::size_t blocks) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < blocks * kBlock; ++i) {
        count += static_cast<unsigned char>(bytes[i]) >> 7;
    }
    return count;
}

#endif

// The number of high bytes in text.
inline std::size_t CountHighBytes(std::string_view text) {
    const std::size_t blocks = text.size() / kBlock;
    std::size_t count = CountHighBytesInBlocks(text.data(), blocks);
    for (std::size_t i = blocks * kBlock; i < text.size(); ++i) {
        count += static_cast<unsigned char>(text[i]) >> 7;
    }
    return count;
}

// The number of high bytes in each step of text: its first `step` bytes, the
// next `step` bytes, and so on (the last step may be shorter; none for an
// empty text).
inline std::vector<std::size_t> CountHighBytesInSteps(std::string_view text, std::size_t step) {
    std::vector<std::size_t> counts;
    counts.reserve(text.size() / step + 1);
    for (std::size_t at = 0; at < text.size(); at += step) {
        counts.push_back(CountHighBytes(text.substr(at, step)));
    }
    return counts;
}

} // namespace glyphwright::detail

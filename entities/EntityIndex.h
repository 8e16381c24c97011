// Lookup structures derived from the entity rows at compile time, for the
// one-pass encoder and decoder. An entity of up to 8 bytes is handled as one
// 64-bit word: byte j of the text in bits 8j..8j+7, unused bytes zero.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "entities/EntityRows.h"

namespace glyphwright::detail {

inline constexpr std::size_t kMaxEntityLength = 8;

constexpr std::uint64_t PackWord(std::string_view bytes) {
    std::uint64_t word = 0;
    for (std::size_t j = 0; j < bytes.size() && j < kMaxEntityLength; ++j) {
        word |= std::uint64_t{static_cast<unsigned char>(bytes[j])} << (8 * j);
    }
    return word;
}

// Eight bytes from memory as a word in the layout above, on any byte order.
inline std::uint64_t LoadWord(const char* bytes) {
    std::uint64_t word;
    std::memcpy(&word, bytes, sizeof word);
    if constexpr (std::endian::native == std::endian::big) {
        word = __builtin_bswap64(word);
    }
    return word;
}

// Writes all eight bytes of a word; the caller advances by the used length.
inline void StoreWord(char* bytes, std::uint64_t word) {
    if constexpr (std::endian::native == std::endian::big) {
        word = __builtin_bswap64(word);
    }
    std::memcpy(bytes, &word, sizeof word);
}

// What each byte becomes when encoding: its entity, or the byte itself.
struct EncodedByte {
    std::uint64_t word;
    std::uint32_t length;
};

constexpr std::array<EncodedByte, 256> MakeEncodeTable() {
    std::array<EncodedByte, 256> table{};
    std::array<bool, 256> fromRow{};
    for (unsigned byte = 0; byte < 256; ++byte) {
        table[byte] = {byte, 1};
    }
    for (const EntityRow& row : kEntityRows) {
        // Only high bytes are ever encoded; the first row of a character wins.
        if (row.character >= 0x80 && !fromRow[row.character]) {
            table[row.character] = {PackWord(row.entity),
                                    static_cast<std::uint32_t>(row.entity.size())};
            fromRow[row.character] = true;
        }
    }
    return table;
}

inline constexpr std::array<EncodedByte, 256> kEncodeTable = MakeEncodeTable();

// Perfect hash from a packed candidate ("&" up to and including ";") to its
// character. The multiplier is searched at compile time so that the 90 entity
// words land in distinct slots; an empty slot holds 0, which no candidate
// equals because its first byte is '&'.
inline constexpr unsigned kDecodeSlotBits = 10;
inline constexpr std::size_t kDecodeSlots = std::size_t{1} << kDecodeSlotBits;

constexpr std::size_t DecodeSlot(std::uint64_t word, std::uint64_t multiplier) {
    return static_cast<std::size_t>((word * multiplier) >> (64 - kDecodeSlotBits));
}

struct DecodeIndex {
    std::uint64_t multiplier = 0;
    std::array<std::uint64_t, kDecodeSlots> words{};
    std::array<unsigned char, kDecodeSlots> characters{};
};

constexpr bool TryFill(DecodeIndex& index, std::uint64_t multiplier) {
    index.multiplier = multiplier;
    index.words.fill(0);
    index.characters.fill(0);
    for (const EntityRow& row : kEntityRows) {
        const std::uint64_t word = PackWord(row.entity);
        const std::size_t slot = DecodeSlot(word, multiplier);
        if (index.words[slot] == word) {
            continue; // a repeated entity text: the first row wins
        }
        if (index.words[slot] != 0) {
            return false;
        }
        index.words[slot] = word;
        index.characters[slot] = row.character;
    }
    return true;
}

constexpr DecodeIndex MakeDecodeIndex() {
    DecodeIndex index;
    std::uint64_t state = 0x9E3779B97F4A7C15ull;
    for (int attempt = 0; attempt < 100000; ++attempt) {
        // splitmix64 step; odd multipliers only
        state += 0x9E3779B97F4A7C15ull;
        std::uint64_t z = state;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        z ^= z >> 31;
        if (TryFill(index, z | 1)) {
            return index;
        }
    }
    index.multiplier = 0;
    return index;
}

inline constexpr DecodeIndex kDecodeIndex = MakeDecodeIndex();
static_assert(kDecodeIndex.multiplier != 0, "no collision-free multiplier for the entity rows");

// The character of a packed candidate, or -1 when it is not a table entity.
inline int LookUpEntityWord(std::uint64_t word) {
    const std::size_t slot = DecodeSlot(word, kDecodeIndex.multiplier);
    return kDecodeIndex.words[slot] == word ? kDecodeIndex.characters[slot] : -1;
}

} // namespace glyphwright::detail

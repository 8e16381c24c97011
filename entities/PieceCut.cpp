#include "entities/PieceCut.h"

#include "entities/EntityIndex.h"
#include "entities/EntityRows.h"

#include <array>

namespace glyphwright {
namespace {

// The bytes that stand in some entity between its '&' and its ';'.
constexpr std::array<bool, 256> MakeInnerBytes() {
    std::array<bool, 256> inner{};
    for (const detail::EntityRow& row : detail::kEntityRows) {
        for (std::size_t j = 1; j + 1 < row.entity.size(); ++j) {
            inner[static_cast<unsigned char>(row.entity[j])] = true;
        }
    }
    return inner;
}

constexpr std::array<bool, 256> kInner = MakeInnerBytes();
static_assert(!kInner['&'] && !kInner[';'] && !kInner['\r'] && !kInner['\n']);

bool IsInner(char byte) {
    return kInner[static_cast<unsigned char>(byte)];
}

// The UTF-8 encoder reads a lead byte 0xC2 or 0xC3 and a continuation byte
// after it as one character.
bool SplitsACharacter(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at - 1]);
    const auto next = static_cast<unsigned char>(text[at]);
    return (lead == 0xC2 || lead == 0xC3) && (next & 0xC0) == 0x80;
}

// The decoders look up to seven bytes past a '&' for the ';' that ends an
// entity. Only the last '&' before the cut matters: an earlier one's entity
// would hold that '&' after its first byte, which no entity does. Its entity
// spans the cut only if every byte from it up to the cut can stand in one, and
// the byte at the cut can go on or end it.
bool SplitsAnEntity(std::string_view text, std::size_t at) {
    const std::size_t from =
        at > detail::kMaxEntityLength - 1 ? at - (detail::kMaxEntityLength - 1) : 0;
    const std::size_t amp = text.substr(from, at - from).rfind('&');
    if (amp == std::string_view::npos) {
        return false;
    }
    for (std::size_t j = from + amp + 1; j < at; ++j) {
        if (!IsInner(text[j])) {
            return false; // ends the entity before the cut (';'), or rules it out
        }
    }
    return text[at] == ';' || IsInner(text[at]);
}

} // namespace

bool IsSafeCut(std::string_view text, std::size_t at) {
    return !SplitsACharacter(text, at) && !SplitsAnEntity(text, at);
}

std::size_t LastSafeCut(std::string_view text, std::size_t at) {
    for (; at > 0; --at) {
        if (IsSafeCut(text, at)) {
            return at;
        }
    }
    return 0;
}

} // namespace glyphwright

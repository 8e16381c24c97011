// The entity conversion for text stored as UTF-8. A table row stands for the
// Unicode character of the same number (row byte 0xE4 is U+00E4, ä), so only
// the two-byte characters U+0080..U+00FF take part; every other byte is kept.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace glyphwright {

inline constexpr std::size_t kValidUtf8 = std::string_view::npos;

struct Utf8Check {
    // The offset of the first byte that does not start a complete, well-formed
    // sequence (overlong forms, surrogates, code points above U+10FFFF, stray
    // continuation bytes and a truncated end all count), or kValidUtf8.
    std::size_t invalidAt = kValidUtf8;
    // Whether a byte 0x80 or above stands up to that point (anywhere, when valid).
    bool sawHighByte = false;
};

// One pass over text: whether it is valid UTF-8, and whether it is more than ASCII.
Utf8Check CheckUtf8(std::string_view text);

inline std::size_t FindInvalidUtf8(std::string_view text) {
    return CheckUtf8(text).invalidAt;
}

inline bool IsValidUtf8(std::string_view text) {
    return FindInvalidUtf8(text) == kValidUtf8;
}

// Every character U+0080..U+00FF that has a row becomes its entity; all else
// is copied. Meant for valid UTF-8; on other input a lead byte 0xC2 or 0xC3
// followed by a continuation byte is still read as such a character.
std::string EncodeUmlautsUtf8(std::string_view text);

// The scan of DecodeEntities ('&', the first ';' within the seven bytes after
// it), but a found entity becomes its character in UTF-8 (ASCII rows stay one
// byte); the scan goes on after the inserted character.
std::string DecodeEntitiesUtf8(std::string_view text);

} // namespace glyphwright

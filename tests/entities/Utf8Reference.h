// The UTF-8 conversion written plainly, for the tests and the fuzz target to
// compare the one-pass routines with: a decoder that computes each code point
// and then judges it, and the delete-and-insert scans of the literal
// reference with the character taken as a Unicode code point.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace glyphwright::reference {

// The offset of the first byte that does not start a well-formed sequence,
// or std::string_view::npos.
std::size_t FindInvalidUtf8(std::string_view text);

std::string EncodeUmlautsUtf8(std::string_view text);
std::string DecodeEntitiesUtf8(std::string_view text);

// Each byte as the code point of the same number, in UTF-8.
std::string Latin1ToUtf8(std::string_view bytes);

} // namespace glyphwright::reference

// Where a long text may be cut into pieces that are converted one after the
// other. A cut is safe when each of the four routines (EncodeUmlauts,
// DecodeEntities and their UTF-8 forms), applied to the part before it and
// then to the part after it, gives exactly what it gives for the whole text:
// no UTF-8 character that the encoder reads as one and no entity that the
// decoder could find spans the cut.
#pragma once

#include <cstddef>
#include <string_view>

namespace glyphwright {

// Whether text may be cut just before the byte at `at` (0 < at < size);
// looks at the seven bytes before it and at the byte itself.
bool IsSafeCut(std::string_view text, std::size_t at);

// The last safe cut at or before `at` (at < size). There is always one at
// most seven bytes back, unless that reaches the start of the text: then 0.
std::size_t LastSafeCut(std::string_view text, std::size_t at);

} // namespace glyphwright

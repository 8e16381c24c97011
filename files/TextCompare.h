// Case-insensitive comparison of native byte strings (UTF-8 on a usual Linux),
// folding letters under the current LC_CTYPE locale so that "Ä" equals "ä".
// Bytes that do not decode in the locale's encoding compare as themselves.
#pragma once

#include <string_view>

namespace glyphwright {

// <0, 0 or >0 as a sorts before, with or after b, ignoring letter case.
int CompareIgnoringCase(std::string_view a, std::string_view b);

inline bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return CompareIgnoringCase(a, b) == 0;
}

} // namespace glyphwright

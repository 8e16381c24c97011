// Case-insensitive comparison of native byte strings (UTF-8 on a usual Linux),
// folding letters under the current LC_CTYPE locale so that "Ä" equals "ä".
// a to z always fold to A to Z, whatever the locale; bytes that do not decode
// in the locale's encoding compare as themselves, after every character.
//
// Under the plain "C"/"POSIX" locale (a process that never called setlocale,
// or runs with LANG unset) the texts are read as UTF-8 and folded by the
// C.UTF-8 rules: Linux file names are UTF-8 by convention, and an ASCII-only
// reading would make ".Ä" and ".ä" differ merely because the locale is unset.
#pragma once

#include <string_view>

namespace glyphwright {

// <0, 0 or >0 as a sorts before, with or after b, ignoring letter case.
int CompareIgnoringCase(std::string_view a, std::string_view b);

inline bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return CompareIgnoringCase(a, b) == 0;
}

} // namespace glyphwright

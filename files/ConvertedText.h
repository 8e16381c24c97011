// The part of the per-file step that works on a file's bytes in memory. The
// conversion and the check both go through it, so that what the check says a
// run would write is what the run writes.
#pragma once

#include "files/CharsetChoice.h"
#include "files/Conversion.h"
#include "files/LineList.h"

#include <string>
#include <string_view>

namespace glyphwright {

struct LoadedText {
    Charset charset = Charset::Windows1252;
    LineList lines;
};

// Chooses the character set on the bytes as loaded and splits them into lines.
// Throws UnsupportedFileError::NotUtf8, naming path, for a file that has to be
// UTF-8 but is not.
LoadedText TakeLoadedBytes(const std::string& path, std::string_view bytes, CharsetRule rule);

// Converts the joined lines of a file in its character set. The result is
// what the file is written as: it is its own split-and-join.
std::string ConvertJoined(std::string_view joined, const Conversion& conversion, Charset charset);

} // namespace glyphwright

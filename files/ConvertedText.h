// The part of the per-file step that works on a file's bytes in memory. The
// conversion and the check both go through it, so that what the check says a
// run would write is what the run writes.
#pragma once

#include "files/CharsetChoice.h"
#include "files/Conversion.h"
#include "files/FileContent.h"
#include "files/LineList.h"

#include <functional>
#include <string>
#include <string_view>

namespace glyphwright {

struct LoadedText {
    Charset charset = Charset::Windows1252;
    LineList lines;
};

// Chooses the character set on the bytes as loaded and splits them into lines.
// Throws UnsupportedFileError::NotUtf8, naming path, for a file that has to be
// UTF-8 but is not. The second form splits the bytes in their own buffer.
LoadedText TakeLoadedBytes(const std::string& path, std::string_view bytes, CharsetRule rule);
LoadedText TakeLoadedBytes(const std::string& path, std::string&& bytes, CharsetRule rule);

// What the file is written as: its joined lines converted in its character
// set, split and joined again, made piece by piece (ConvertedContent).
// converted is called once the whole text is converted, before its last
// piece is passed on. text, conversion and converted must outlive it.
FileContent ConvertedFileContent(const LoadedText& text, const Conversion& conversion,
                                 const std::function<void()>& converted);

} // namespace glyphwright

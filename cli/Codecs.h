// Which conversion the tool applies, and the check that refuses a file that
// is not UTF-8 before anything of it is written.
#pragma once

#include "cli/CommandLine.h"

#include <string>
#include <string_view>

namespace glyphwright {
class LineList;
}

namespace glyphwright::cli {

using Conversion = std::string (*)(std::string_view);

// EncodeUmlauts / DecodeEntities for Windows-1252, their UTF-8 forms for UTF-8.
Conversion ConversionFor(Direction direction, Encoding encoding);

// Throws UnsupportedFileError naming the file and the first line that is not
// valid UTF-8. Checked line by line: a line end splitting a sequence is an
// error, as it is in the file.
void RequireUtf8Lines(const std::string& path, const LineList& lines);

} // namespace glyphwright::cli

// Which conversion the tool applies, to files and to a stream.
#pragma once

#include "cli/CommandLine.h"
#include "files/text/Conversion.h"

#include <string>
#include <string_view>

namespace glyphwright::cli {

// The per-file conversion of the call: its direction, each file read by its
// charset rule, the lines ended as --eol says.
Conversion ConversionFor(const Invocation& invocation);

using StreamCodec = std::string (*)(std::string_view);

// EncodeUmlauts / DecodeEntities for Windows-1252, their UTF-8 forms for UTF-8.
StreamCodec StreamConversion(Direction direction, Encoding encoding);

} // namespace glyphwright::cli

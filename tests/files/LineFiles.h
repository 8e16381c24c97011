// A text file as lines and back, the round trip the file tests drive: the
// program itself reads bytes and writes content.
#pragma once

#include "files/text/LineList.h"

#include <string>

namespace glyphwright::testing {

// Every line followed by CR LF, the last one included: what a run writes
// under CR LF, joined whole.
std::string JoinLines(const LineList& lines);

// SplitLines of LoadFileBytes.
LineList LoadTextFile(const std::string& path);

// Replaces the file at path with JoinLines(lines), as a run replaces a file.
// Throws CreateError when the file may not be written (also for a file
// without write permission bits) and WriteError on a short write; after a
// failure the old file is intact.
void SaveTextFile(const LineList& lines, const std::string& path);

} // namespace glyphwright::testing

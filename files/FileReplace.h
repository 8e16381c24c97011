// Replacing a file's content so that a failure leaves the old file intact.
#pragma once

#include "files/FileContent.h"

#include <string>
#include <string_view>

namespace glyphwright {

// Makes the file at path hold exactly content; creates it when missing.
//
// An existing file is replaced by a temporary file written beside it and
// renamed over it, keeping its permission bits and, where allowed, its owner.
// A symbolic link stays a link and its target is replaced. A file with more
// than one hard link, or one in a folder where no temporary file can be made,
// is written in place after reserving the space it needs.
//
// Throws CreateError when the file may not be written (no write permission bit
// in its mode, not a regular file, missing folder, a dangling link) and
// WriteError when fewer bytes than content holds could be stored.
void ReplaceFileContent(const std::string& path, std::string_view content);

// The same with content handed over piece by piece, so that it never stands
// whole in memory. Content that throws leaves the old file as it was.
void ReplaceFileContent(const std::string& path, const FileContent& content);

} // namespace glyphwright

// What a file is to hold, handed over piece by piece, so that a large text
// never has to stand whole in memory to be written.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace glyphwright {

// Takes the next piece; false when it could not be stored (errno set).
using PutPiece = std::function<bool(std::string_view piece)>;

// Passes the whole content to put, piece by piece in order, and returns false
// as soon as put does. It may be called more than once and gives the same
// bytes each time. It may throw (out of memory); nothing is then half done
// that the caller cannot undo.
using FileContent = std::function<bool(const PutPiece& put)>;

// A text in memory as content; the text must outlive it.
FileContent WholeText(std::string_view text);

// The whole content in one string.
std::string ContentText(const FileContent& content);

// The number of bytes content holds, found by passing it once.
std::size_t ContentSize(const FileContent& content);

// Writes content at the file position of fd, or from offset on; false with
// errno set when a piece could not be stored whole.
bool WriteContent(int fd, const FileContent& content);
bool WriteContentAt(int fd, const FileContent& content, off_t offset);

} // namespace glyphwright

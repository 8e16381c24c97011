// Room for a large text that is written once and read once, such as a whole
// file. Most of the cost of filling fresh memory is page faults; on Linux the
// room is offered to the kernel for huge pages, which cuts them a
// hundredfold. Elsewhere, and for small texts, it is a plain string.
#pragma once

#include <cstddef>
#include <string>

namespace glyphwright {

// A string of size bytes (all NUL) to be overwritten.
std::string MakeLargeText(std::size_t size);

} // namespace glyphwright

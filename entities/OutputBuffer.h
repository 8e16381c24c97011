// The output string of a one-pass conversion, allocated at its final size or
// an upper bound of it before any byte is written.
#pragma once

#include <cstddef>
#include <string>

namespace glyphwright::detail {

// A string of `size` bytes, of no particular value, to be overwritten. Large
// buffers ask the kernel for huge pages: faulting in a fresh 64 MiB output
// 4 KiB at a time otherwise costs more than converting it.
std::string MakeOutputBuffer(std::size_t size);

} // namespace glyphwright::detail

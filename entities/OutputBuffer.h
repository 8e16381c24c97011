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

// An output that is written step by step into room reserved for its bound.
// The reserved room stays untouched until a step asks for its part: only that
// part is zero-filled, and the next step writes over what it left. So the
// memory taken follows the real output, however far the bound lies above it.
class SteppedOutput {
public:
    explicit SteppedOutput(std::size_t bound);

    // Room for at least size bytes after everything written so far.
    char* Room(std::size_t size) {
        text_.resize(written_ + size);
        return text_.data() + written_;
    }
    // Everything up to end is the output.
    void WrittenUpTo(const char* end) { written_ = static_cast<std::size_t>(end - text_.data()); }
    std::string Take() {
        text_.resize(written_);
        return std::move(text_);
    }

private:
    std::string text_;
    std::size_t written_ = 0;
};

} // namespace glyphwright::detail

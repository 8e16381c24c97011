// Converting a byte stream piece by piece, so that input of any length runs
// through in little memory, with exactly the result of converting it whole.
#pragma once

#include "CommandLine.h"

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

namespace glyphwright::cli {

class StreamConverter {
public:
    explicit StreamConverter(Direction direction) : direction_(direction) {}

    // Takes the next piece of input; returns the output that is final so far.
    std::string Feed(std::string_view piece);
    // Ends the input; returns the rest of the output.
    std::string Finish();

private:
    // How much of the pending input converts the same alone as followed by
    // anything: for decoding, no '&' may stand in its last seven bytes, as the
    // decoder looks at up to seven bytes after a '&'.
    std::size_t FinalLength() const;
    std::string Convert(std::string_view text) const;

    Direction direction_;
    std::string pending_;
};

// Copies in to out converted; false on a read or write error.
bool ConvertStream(std::FILE* in, std::FILE* out, Direction direction,
                   std::size_t pieceSize = std::size_t{1} << 20);

} // namespace glyphwright::cli

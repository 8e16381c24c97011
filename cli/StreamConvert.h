// Converting a byte stream piece by piece, so that input of any length runs
// through in little memory, with exactly the result of converting it whole.
#pragma once

#include "cli/CommandLine.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <string_view>

namespace glyphwright::cli {

// Input that is not valid UTF-8 in the UTF-8 mode; the message gives the
// 1-based position of the first bad byte in the whole stream.
class InvalidStreamError : public std::runtime_error {
public:
    explicit InvalidStreamError(std::uint64_t position);
};

class StreamConverter {
public:
    explicit StreamConverter(Direction direction, Encoding encoding = Encoding::Windows1252)
        : direction_(direction), encoding_(encoding) {}

    // Takes the next piece of input; returns the output that is final so far.
    // Throws InvalidStreamError in the UTF-8 mode at the first bad sequence.
    std::string Feed(std::string_view piece);
    // Ends the input; returns the rest of the output.
    std::string Finish();
    // How many input bytes are held back for the next piece.
    std::size_t Pending() const { return pending_.size(); }

private:
    // How much of the pending input converts the same alone as followed by
    // anything: for decoding, it ends before any '&' among its last seven
    // bytes, as the decoder looks at up to seven bytes after a '&'; in UTF-8,
    // no character may be cut. So at most ten bytes are held back.
    std::size_t FinalLength() const;
    std::string Convert(std::string_view text);

    Direction direction_;
    Encoding encoding_;
    std::string pending_;
    std::uint64_t consumed_ = 0; // input bytes converted so far
};

// Copies in to out converted. Throws InvalidStreamError, or std::runtime_error
// on a read or write error. A piece of input may grow eightfold when it is
// encoded, so pieces are kept small enough for a few megabytes in all.
void ConvertStream(std::FILE* in, std::FILE* out, Direction direction, Encoding encoding,
                   std::size_t pieceSize = std::size_t{256} << 10);

} // namespace glyphwright::cli

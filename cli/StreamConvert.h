// Converting a byte stream piece by piece, so that input of any length runs
// through in little memory, with exactly the result of converting it whole.
#pragma once

#include "cli/CommandLine.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace glyphwright::cli {

// How much input a decoding filter holds at most while the character set is
// not decided yet (see StreamConverter).
inline constexpr std::size_t kUndecidedHold = std::size_t{1} << 20;

// Without a forced set, a stream is read in the set its bytes show, by the
// rule for files (ChooseCharset) as far as a stream allows, the first that
// applies deciding:
// 1. a valid UTF-8 sequence at the first byte 0x80 or above (the byte-order
//    mark is one): UTF-8; a sequence cut by the end of a piece waits for the
//    next piece, one cut by the end of the stream is invalid;
// 2. an invalid one there: Windows-1252;
// 3. no byte 0x80 or above up to the end: UTF-8 when DeclaresUtf8 on the first
//    kDeclarationWindow bytes, else Windows-1252.
// ASCII before the decision is the same in both sets. Encoding never changes
// it, so it is written at once. Decoding writes it up to the first entity
// whose character is 0x80 or above, which the two sets write differently;
// from there the input is held. Should kUndecidedHold bytes be held before a
// byte 0x80 or above comes, rule 3 decides then, as for a stream that ended
// there; so memory stays bounded whatever the input.
//
// Read as UTF-8, a stream may still hold bytes that are not (a Windows-1252
// page behind a UTF-8 one, or anything under --utf8): they are written
// unchanged, the conversion goes on after them, and each such spot (a bad
// byte with the bytes after it that still began a sequence with it) is
// counted for the report at the end.
class StreamConverter {
public:
    // encoding: the set --utf8 or --cp1252 forces; none: decided as above.
    explicit StreamConverter(Direction direction, std::optional<Encoding> encoding = std::nullopt)
        : direction_(direction), encoding_(encoding) {}

    // Takes the next piece of input; returns the output that is final so far.
    std::string Feed(std::string_view piece);
    // Ends the input; returns the rest of the output.
    std::string Finish();
    // How many input bytes are held back for the next piece: at most ten once
    // the set is decided, at most kUndecidedHold and a piece before.
    std::size_t Pending() const { return pending_.size(); }
    // The set the stream is read in; none while it is not decided yet.
    std::optional<Encoding> Decided() const { return encoding_; }

    // The spots of bytes that are not valid UTF-8 in a stream read as UTF-8,
    // and the 1-based position of the first one's first byte in the stream.
    std::uint64_t InvalidSpots() const { return invalidSpots_; }
    std::uint64_t FirstInvalid() const { return firstInvalid_; }
    // The report of those spots, in German; empty when there were none.
    std::string InvalidMessage() const;

private:
    std::string Take(bool ended);
    // Writes what the undecided set cannot change, and decides when it can.
    std::string TakeUndecided(bool ended);
    void Decide(Encoding encoding);
    // Drops the first length bytes of pending_, converted or written.
    void Consume(std::size_t length);
    // How much of the pending input converts the same alone as followed by
    // anything: for decoding, it ends before any '&' among its last seven
    // bytes, as the decoder looks at up to seven bytes after a '&'; in UTF-8,
    // no character may be cut. So at most ten bytes are held back.
    std::size_t FinalLength() const;
    std::string Convert(std::string_view text);
    void CountInvalid(std::string_view text);

    Direction direction_;
    std::optional<Encoding> encoding_;
    std::string pending_;
    std::uint64_t consumed_ = 0; // input bytes converted or written so far
    // While undecided: the first bytes of the stream, for the declaration;
    std::string head_;
    // how many bytes at the start of pending_ are ASCII;
    std::size_t ascii_ = 0;
    // and whether pending_ starts with the first entity of a character 0x80
    // or above, to be decoded once the set is known.
    bool holding_ = false;
    std::uint64_t invalidSpots_ = 0;
    std::uint64_t firstInvalid_ = 0;
};

// Copies in to out converted, in the set forced by encoding or, without one,
// in the set the stream shows (see StreamConverter). Returns the report of
// bytes that were not valid UTF-8, empty when there were none. Throws
// std::runtime_error on a read or write error. A piece of input may grow
// eightfold when it is encoded, so pieces are kept small enough for a few
// megabytes in all.
std::string ConvertStream(std::FILE* in, std::FILE* out, Direction direction,
                          std::optional<Encoding> encoding,
                          std::size_t pieceSize = std::size_t{256} << 10);

} // namespace glyphwright::cli

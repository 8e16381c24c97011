#include "cli/StreamConvert.h"

#include "cli/Codecs.h"
#include "entities/ByteScan.h"
#include "entities/Unit_HtmlUmlaute.h"
#include "entities/Utf8Entities.h"
#include "files/text/CharsetChoice.h"
#include "wording/Catalog.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace glyphwright::cli {

namespace {

// The decoder looks at most this many bytes beyond a '&'.
constexpr std::size_t kDecodeWindow = 7;
// The longest UTF-8 sequence.
constexpr std::size_t kMaxSequence = 4;

bool IsHigh(char byte) {
    return static_cast<unsigned char>(byte) >= 0x80;
}

// How many bytes a sequence with this first byte claims; anything malformed
// is left to the validation.
std::size_t AnnouncedLength(char lead) {
    const auto byte = static_cast<unsigned char>(lead);
    return byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
}

// Where an unfinished UTF-8 sequence at the end of text starts, or its size:
// a lead byte among the last three bytes with fewer bytes after it than it
// announces.
std::size_t Utf8CompleteLength(std::string_view text) {
    const std::size_t size = text.size();
    for (std::size_t back = 1; back < kMaxSequence && back <= size; ++back) {
        const auto byte = static_cast<unsigned char>(text[size - back]);
        if ((byte & 0xC0) == 0x80) {
            continue; // a continuation byte: look further back for its lead
        }
        return AnnouncedLength(text[size - back]) > back ? size - back : size;
    }
    return size;
}

// The bytes of the bad spot at text[at]: the bad byte and those after it that
// still begin a well-formed sequence with it, so that a cut-off character
// counts once. Bytes three and four may be any continuation byte, so a
// beginning is well-formed when it is once filled up with 0x80.
std::size_t BadSpotLength(std::string_view text, std::size_t at) {
    const std::size_t announced = AnnouncedLength(text[at]);
    std::size_t length = 1;
    while (length + 1 < announced && at + length < text.size()) {
        std::string filled(text.substr(at, length + 1));
        filled.resize(announced, '\x80');
        if (!IsValidUtf8(filled)) {
            break;
        }
        ++length;
    }
    return length;
}

// Whether text is ASCII and well-formed two-byte characters only (U+0080 to
// U+07FF, all that pages in the Latin alphabets need), which makes it valid
// UTF-8; false says nothing. It takes 64 bytes at a time without a branch,
// several times faster on prose than CheckUtf8, whose branch on each block's
// high bytes the processor cannot guess there.
bool IsAsciiAndTwoByteUtf8(std::string_view text) {
    constexpr std::size_t kWide = 4 * detail::kBlock;
    std::uint64_t bad = 0;
    std::uint64_t carry = 0; // the last 64 bytes ended with a lead byte
    std::size_t at = 0;
    for (; text.size() - at >= kWide; at += kWide) {
        std::uint64_t high = 0;
        std::uint64_t leads = 0;
        std::uint64_t continuations = 0;
        for (std::size_t k = 0; k < kWide; k += detail::kBlock) {
            const char* const block = text.data() + at + k;
            high |= std::uint64_t{detail::HighByteMask(block)} << k;
            leads |= std::uint64_t{detail::RangeMask(block, 0xC2, 0xDF)} << k;
            continuations |= std::uint64_t{detail::RangeMask(block, 0x80, 0xBF)} << k;
        }
        // Every high byte a lead or a continuation, and the continuations
        // exactly the bytes after the leads.
        bad |= (high ^ (leads | continuations)) | (continuations ^ ((leads << 1) | carry));
        carry = leads >> 63;
    }
    return bad == 0 && IsValidUtf8(text.substr(at - carry));
}

// The offset of the first byte 0x80 or above in text from `from` on, or its size.
std::size_t FirstHighByte(std::string_view text, std::size_t from) {
    std::size_t at = from;
    for (; text.size() - at >= detail::kBlock; at += detail::kBlock) {
        if (const unsigned mask = detail::HighByteMask(text.data() + at); mask != 0) {
            return at + static_cast<std::size_t>(std::countr_zero(mask));
        }
    }
    while (at < text.size() && !IsHigh(text[at])) {
        ++at;
    }
    return at;
}

// Where the decoder, scanning ASCII text as DecodeEntities does ('&', the
// first ';' among the seven bytes after it), first finds an entity whose
// character is 0x80 or above; npos when it finds none.
std::size_t FirstHighEntity(std::string_view text) {
    std::size_t at = text.find('&');
    while (at != std::string_view::npos) {
        const std::size_t end = std::min(at + 1 + kDecodeWindow, text.size());
        const std::size_t semicolon = text.substr(0, end).find(';', at + 1);
        std::size_t next = at + 1;
        if (semicolon != std::string_view::npos) {
            const std::string_view candidate = text.substr(at, semicolon - at + 1);
            const std::string character = EntityToChar(candidate);
            if (character != candidate) {
                if (IsHigh(character.front())) {
                    return at;
                }
                next = semicolon + 1;
            }
        }
        at = text.find('&', next);
    }
    return std::string_view::npos;
}

// The end of the part of ASCII text that decodes the same whatever follows:
// before any '&' among its last seven bytes. That is always safe, as no
// entity holds a '&' after its first byte, and it lies between two
// characters, as '&' is ASCII.
std::size_t DecodeFinalLength(std::string_view text) {
    const std::size_t from = text.size() > kDecodeWindow ? text.size() - kDecodeWindow : 0;
    const std::size_t amp = text.substr(from).rfind('&');
    return amp == std::string_view::npos ? text.size() : from + amp;
}

} // namespace

std::string StreamConverter::InvalidMessage() const {
    if (invalidSpots_ == 0) {
        return {};
    }
    using wording::Format;
    using wording::Tr;
    if (invalidSpots_ == 1) {
        return Format(Tr("Die Eingabe ist kein gültiges UTF-8 (Byte %s); die Bytes dort stehen "
                         "unverändert in der Ausgabe"),
                      {std::to_string(firstInvalid_)});
    }
    return Format(Tr("Die Eingabe ist an %s Stellen kein gültiges UTF-8 (zuerst Byte %s); die "
                     "Bytes dort stehen unverändert in der Ausgabe"),
                  {std::to_string(invalidSpots_), std::to_string(firstInvalid_)});
}

void StreamConverter::Consume(std::size_t length) {
    pending_.erase(0, length);
    consumed_ += length;
    ascii_ -= std::min(ascii_, length);
}

void StreamConverter::Decide(Encoding encoding) {
    encoding_ = encoding;
    head_ = std::string();
    holding_ = false;
}

std::string StreamConverter::TakeUndecided(bool ended) {
    ascii_ = FirstHighByte(pending_, ascii_);
    const bool high = ascii_ < pending_.size();
    std::string output;
    if (direction_ == Direction::Encode) {
        output.assign(pending_, 0, ascii_);
        Consume(ascii_);
    } else if (!holding_) {
        // A byte 0x80 or above ends any entity, so the ASCII before it
        // decodes the same whatever follows.
        const std::string_view ascii = std::string_view(pending_).substr(0, ascii_);
        std::size_t length = high || ended ? ascii.size() : DecodeFinalLength(ascii);
        output = DecodeEntities(ascii.substr(0, length));
        if (CheckUtf8(output).sawHighByte) {
            length = FirstHighEntity(ascii.substr(0, length));
            output = DecodeEntities(ascii.substr(0, length));
            holding_ = true;
            pending_.reserve(kUndecidedHold + pending_.size()); // grown once, not doubled
        }
        Consume(length);
    }
    if (holding_ && ascii_ >= kUndecidedHold) {
        Decide(DeclaresUtf8(head_) ? Encoding::Utf8 : Encoding::Windows1252);
    } else if (high) {
        const std::string_view sequence = std::string_view(pending_).substr(ascii_);
        const std::size_t announced = AnnouncedLength(sequence.front());
        if (sequence.size() >= announced || ended) {
            Decide(IsValidUtf8(sequence.substr(0, announced)) ? Encoding::Utf8
                                                              : Encoding::Windows1252);
        }
    } else if (ended) {
        Decide(DeclaresUtf8(head_) ? Encoding::Utf8 : Encoding::Windows1252);
    }
    return output;
}

std::size_t StreamConverter::FinalLength() const {
    const std::string_view text = pending_;
    const std::size_t cut = encoding_ == Encoding::Utf8 ? Utf8CompleteLength(text) : text.size();
    return direction_ == Direction::Encode ? cut : DecodeFinalLength(text.substr(0, cut));
}

void StreamConverter::CountInvalid(std::string_view text) {
    for (std::size_t at = FindInvalidUtf8(text); at != kValidUtf8;) {
        if (invalidSpots_++ == 0) {
            firstInvalid_ = consumed_ + at + 1;
        }
        at += BadSpotLength(text, at);
        const std::size_t next = FindInvalidUtf8(text.substr(at));
        at = next == kValidUtf8 ? kValidUtf8 : at + next;
    }
}

std::string StreamConverter::Convert(std::string_view text) {
    std::string output = StreamConversion(direction_, *encoding_)(text);
    // The UTF-8 codecs copy bad bytes unchanged: none of them is '&' or ';'
    // or can stand in an entity, and a bad spot never begins with a lead
    // byte 0xC2 or 0xC3 and a continuation byte, the only pair the encoder
    // replaces. So an encoded part that is all ASCII was valid: each of its
    // high bytes stood in such a pair. Each part ends between two
    // characters, so checking the parts one by one checks the whole stream.
    if (encoding_ == Encoding::Utf8 &&
        !(direction_ == Direction::Encode && FirstHighByte(output, 0) == output.size()) &&
        !IsAsciiAndTwoByteUtf8(text)) {
        CountInvalid(text);
    }
    Consume(text.size());
    return output;
}

std::string StreamConverter::Take(bool ended) {
    std::string output;
    if (!encoding_) {
        output = TakeUndecided(ended);
        if (!encoding_) {
            return output;
        }
    }
    std::string rest =
        Convert(std::string_view(pending_).substr(0, ended ? pending_.size() : FinalLength()));
    if (output.empty()) {
        return rest;
    }
    return output + rest;
}

std::string StreamConverter::Feed(std::string_view piece) {
    if (!encoding_ && head_.size() < kDeclarationWindow) {
        head_.append(piece.substr(0, kDeclarationWindow - head_.size()));
    }
    pending_.append(piece);
    return Take(false);
}

std::string StreamConverter::Finish() {
    return Take(true);
}

std::string ConvertStream(std::FILE* in, std::FILE* out, Direction direction,
                          std::optional<Encoding> encoding, std::size_t pieceSize) {
    StreamConverter converter(direction, encoding);
    std::vector<char> buffer(pieceSize);
    auto put = [out](const std::string& bytes) {
        if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size()) {
            throw std::runtime_error(std::string(wording::Tr("Fehler beim Schreiben der Ausgabe")));
        }
    };
    for (;;) {
        const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), in);
        if (got == 0) {
            break;
        }
        put(converter.Feed(std::string_view(buffer.data(), got)));
    }
    if (std::ferror(in)) {
        throw std::runtime_error(std::string(wording::Tr("Fehler beim Lesen der Eingabe")));
    }
    put(converter.Finish());
    if (std::fflush(out) != 0) {
        throw std::runtime_error(std::string(wording::Tr("Fehler beim Schreiben der Ausgabe")));
    }
    return converter.InvalidMessage();
}

} // namespace glyphwright::cli

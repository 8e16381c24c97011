#include "cli/StreamConvert.h"

#include "cli/Codecs.h"
#include "entities/Unit_HtmlUmlaute.h"
#include "entities/Utf8Entities.h"

#include <vector>

namespace glyphwright::cli {

namespace {

// The decoder looks at most this many bytes beyond a '&'.
constexpr std::size_t kDecodeWindow = 7;
// The longest UTF-8 sequence.
constexpr std::size_t kMaxSequence = 4;

// Where an unfinished UTF-8 sequence at the end of text starts, or its size:
// a lead byte among the last three bytes with fewer bytes after it than it
// announces. Anything malformed is left to the validation.
std::size_t Utf8CompleteLength(std::string_view text) {
    const std::size_t size = text.size();
    for (std::size_t back = 1; back < kMaxSequence && back <= size; ++back) {
        const auto byte = static_cast<unsigned char>(text[size - back]);
        if ((byte & 0xC0) == 0x80) {
            continue; // a continuation byte: look further back for its lead
        }
        const std::size_t announced = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        return announced > back ? size - back : size;
    }
    return size;
}

} // namespace

InvalidStreamError::InvalidStreamError(std::uint64_t position)
    : std::runtime_error("Die Eingabe ist kein gültiges UTF-8 (Byte " + std::to_string(position) +
                         ")") {}

std::size_t StreamConverter::FinalLength() const {
    const std::string_view text = pending_;
    std::size_t cut = text.size();
    if (encoding_ == Encoding::Utf8) {
        cut = Utf8CompleteLength(text);
    }
    if (direction_ == Direction::Encode) {
        return cut;
    }
    // A '&' among the last bytes may start an entity that the next piece
    // ends: cut just before it. That is always safe, as no entity holds a '&'
    // after its first byte, and it lies between two characters, as '&' is
    // ASCII.
    const std::size_t from = cut > kDecodeWindow ? cut - kDecodeWindow : 0;
    const std::size_t amp = text.substr(from, cut - from).rfind('&');
    return amp == std::string_view::npos ? cut : from + amp;
}

std::string StreamConverter::Convert(std::string_view text) {
    if (encoding_ == Encoding::Utf8) {
        // Each converted part ends between two characters, so checking the
        // parts one by one checks the whole stream.
        const std::size_t invalid = FindInvalidUtf8(text);
        if (invalid != kValidUtf8) {
            throw InvalidStreamError(consumed_ + invalid + 1);
        }
    }
    consumed_ += text.size();
    return StreamConversion(direction_, encoding_)(text);
}

std::string StreamConverter::Feed(std::string_view piece) {
    pending_.append(piece);
    const std::size_t length = FinalLength();
    std::string output = Convert(std::string_view(pending_).substr(0, length));
    pending_.erase(0, length);
    return output;
}

std::string StreamConverter::Finish() {
    std::string output = Convert(pending_);
    pending_.clear();
    return output;
}

void ConvertStream(std::FILE* in, std::FILE* out, Direction direction, Encoding encoding,
                   std::size_t pieceSize) {
    StreamConverter converter(direction, encoding);
    std::vector<char> buffer(pieceSize);
    auto put = [out](const std::string& bytes) {
        if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size()) {
            throw std::runtime_error("Fehler beim Schreiben der Ausgabe");
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
        throw std::runtime_error("Fehler beim Lesen der Eingabe");
    }
    put(converter.Finish());
    if (std::fflush(out) != 0) {
        throw std::runtime_error("Fehler beim Schreiben der Ausgabe");
    }
}

} // namespace glyphwright::cli

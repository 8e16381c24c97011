#include "StreamConvert.h"

#include "Unit_HtmlUmlaute.h"

#include <vector>

namespace glyphwright::cli {

namespace {

// The decoder looks at most this many bytes beyond a '&'.
constexpr std::size_t kDecodeWindow = 7;
// How far back a cut is searched for before the input is simply kept for the
// next piece (only a text dense with '&' gets that far).
constexpr std::size_t kMaxCutSearch = 64 * 1024;

} // namespace

std::size_t StreamConverter::FinalLength() const {
    if (direction_ == Direction::Encode) {
        return pending_.size();
    }
    const std::string_view text = pending_;
    std::size_t cut = text.size();
    while (cut > 0 && text.size() - cut <= kMaxCutSearch) {
        const std::size_t from = cut > kDecodeWindow ? cut - kDecodeWindow : 0;
        const std::size_t amp = text.substr(from, cut - from).rfind('&');
        if (amp == std::string_view::npos) {
            return cut;
        }
        cut = from + amp;
    }
    return 0;
}

std::string StreamConverter::Convert(std::string_view text) const {
    return direction_ == Direction::Encode ? EncodeUmlauts(text) : DecodeEntities(text);
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

bool ConvertStream(std::FILE* in, std::FILE* out, Direction direction, std::size_t pieceSize) {
    StreamConverter converter(direction);
    std::vector<char> buffer(pieceSize);
    auto put = [out](const std::string& bytes) {
        return bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    };
    for (;;) {
        const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), in);
        if (got == 0) {
            break;
        }
        if (!put(converter.Feed(std::string_view(buffer.data(), got)))) {
            return false;
        }
    }
    if (std::ferror(in)) {
        return false;
    }
    return put(converter.Finish()) && std::fflush(out) == 0;
}

} // namespace glyphwright::cli

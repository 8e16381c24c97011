#include "files/text/LineList.h"

#include "entities/CheckedSize.h"
#include "files/io/LargeText.h"

#include <algorithm>
#include <bit>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace glyphwright {

namespace {

// The position of the next CR or LF at or after from, or end. Sixteen bytes
// at a time where the processor offers it: this scan is most of the cost of
// splitting a file.
std::size_t NextLineBreak(const char* data, std::size_t from, std::size_t end) {
#ifdef __SSE2__
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    while (end - from >= 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + from));
        const int found =
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(chunk, cr), _mm_cmpeq_epi8(chunk, lf)));
        if (found != 0) {
            return from + static_cast<std::size_t>(std::countr_zero(static_cast<unsigned>(found)));
        }
        from += 16;
    }
#endif
    while (from != end && data[from] != '\r' && data[from] != '\n') {
        ++from;
    }
    return from;
}

} // namespace

namespace {

// Splits src[0, end) into lines, written to dst each followed by a LF, and
// tells noteStart where each one starts. dst may be src itself: no line is
// ever written ahead of where it was read, except the LF after a last line
// without a line break. Returns the number of bytes written.
template <class NoteStart>
std::size_t SplitInto(const char* src, std::size_t end, char* dst, NoteStart noteStart) {
    std::size_t written = 0;
    std::size_t p = 0;
    while (p != end) {
        const std::size_t lineEnd = NextLineBreak(src, p, end);
        const std::size_t length = lineEnd - p;
        noteStart(written);
        if (dst + written != src + p && length != 0) {
            std::memmove(dst + written, src + p, length);
        }
        written += length;
        p = lineEnd;
        if (p != end && src[p] == '\r') {
            ++p;
        }
        if (p != end && src[p] == '\n') {
            ++p;
        }
        dst[written++] = '\n';
    }
    return written;
}

// Room that JoinInto may write past the end of what it writes.
constexpr std::size_t kJoinSlack = 16;

// Writes from[0, size) with every LF made CR LF to out; returns the end.
// Sixteen bytes at a time where the processor offers it.
char* JoinInto(const char* from, std::size_t size, char* out) {
    std::size_t i = 0;
#ifdef __SSE2__
    const __m128i lf = _mm_set1_epi8('\n');
    // A block copy may start anywhere in the current block and read up to
    // one block beyond it: keep two blocks ahead.
    for (; size - i >= 32 && size >= 32; i += 16) {
        const char* const block = from + i;
        auto mask = static_cast<unsigned>(_mm_movemask_epi8(
            _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(block)), lf)));
        std::size_t copied = 0;
        for (; mask != 0; mask &= mask - 1) {
            const auto at = static_cast<std::size_t>(std::countr_zero(mask));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out),
                             _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + copied)));
            out += at - copied;
            *out++ = '\r';
            *out++ = '\n';
            copied = at + 1;
        }
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out),
                         _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + copied)));
        out += 16 - copied;
    }
#endif
    for (; i < size; ++i) {
        if (from[i] == '\n') {
            *out++ = '\r';
        }
        *out++ = from[i];
    }
    return out;
}

} // namespace

std::string_view LineList::Line(std::size_t index) const {
    std::size_t start = marks_[index / kMarkEvery];
    for (std::size_t skip = index % kMarkEvery; skip != 0; --skip) {
        start = text_.find('\n', start) + 1;
    }
    return std::string_view(text_).substr(start, text_.find('\n', start) - start);
}

void LineList::NoteLineStart(std::size_t start) {
    if (count_ % kMarkEvery == 0) {
        marks_.push_back(start);
    }
    ++count_;
}

void LineList::Append(std::string_view line) {
    NoteLineStart(text_.size());
    text_.append(line);
    text_.push_back('\n');
}

void LineList::Clear() {
    text_.clear();
    marks_.clear();
    count_ = 0;
}

std::size_t LineList::JoinedSize() const {
    return SizeSum(text_.size(), count_); // a CR more per line
}

LineList::Iterator LineList::begin() const {
    return Iterator(text_.data(), text_.data() + text_.size());
}

LineList::Iterator LineList::end() const {
    return Iterator(text_.data() + text_.size(), text_.data() + text_.size());
}

LineList::Iterator::Iterator(const char* start, const char* stop)
    : start_(start), lineEnd_(start), stop_(stop) {
    if (start_ != stop_) {
        lineEnd_ = static_cast<const char*>(std::memchr(start_, '\n', stop_ - start_));
    }
}

LineList::Iterator& LineList::Iterator::operator++() {
    *this = Iterator(lineEnd_ + 1, stop_);
    return *this;
}

LineList SplitLinesInPlace(std::string&& text) {
    // The first NUL ends the text; nothing after it becomes a line.
    const std::size_t end = std::min(text.find('\0'), text.size());
    // Room for the LF after a last line without a line break.
    text.resize(std::max(text.size(), end + 1));
    LineList lines;
    const std::size_t written = SplitInto(
        text.data(), end, text.data(), [&lines](std::size_t start) { lines.NoteLineStart(start); });
    text.resize(written);
    lines.text_ = std::move(text);
    return lines;
}

LineList SplitLines(std::string_view text) {
    // The first NUL ends the text; nothing after it becomes a line.
    const std::size_t end = std::min(text.find('\0'), text.size());
    // The lines never need more room than the text and a last LF.
    LineList lines;
    lines.text_ = MakeLargeText(end + 1);
    const std::size_t written =
        SplitInto(text.data(), end, lines.text_.data(),
                  [&lines](std::size_t start) { lines.NoteLineStart(start); });
    lines.text_.resize(written);
    return lines;
}

bool JoinLinesInPieces(const LineList& lines, std::size_t pieceSize,
                       const std::function<bool(std::string_view)>& put) {
    const std::string_view text = lines.Text();
    const std::size_t slice = pieceSize / 2; // a LF becomes two bytes
    std::string piece(std::min(pieceSize, lines.JoinedSize()) + kJoinSlack, '\0');
    for (std::size_t at = 0; at < text.size(); at += slice) {
        const std::size_t size = std::min(slice, text.size() - at);
        const char* const pieceEnd = JoinInto(text.data() + at, size, piece.data());
        if (!put(std::string_view(piece.data(),
                                  static_cast<std::size_t>(pieceEnd - piece.data())))) {
            return false;
        }
    }
    return true;
}

} // namespace glyphwright

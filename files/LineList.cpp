#include "files/LineList.h"

#include "files/LargeText.h"

#include <algorithm>
#include <bit>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace glyphwright {

void LineList::Append(std::string_view line) {
    buffer_.append(line);
    ends_.push_back(buffer_.size());
}

void LineList::Clear() {
    buffer_.clear();
    ends_.clear();
}

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

// The position of the next CR, LF or NUL at or after from, or end.
std::size_t NextLineBreakOrNul(const char* data, std::size_t from, std::size_t end) {
#ifdef __SSE2__
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i nul = _mm_setzero_si128();
    while (end - from >= 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + from));
        const __m128i hits =
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(chunk, cr), _mm_cmpeq_epi8(chunk, lf)),
                         _mm_cmpeq_epi8(chunk, nul));
        const int found = _mm_movemask_epi8(hits);
        if (found != 0) {
            return from + static_cast<std::size_t>(std::countr_zero(static_cast<unsigned>(found)));
        }
        from += 16;
    }
#endif
    while (from != end && data[from] != '\r' && data[from] != '\n' && data[from] != '\0') {
        ++from;
    }
    return from;
}

} // namespace

bool IsJoinedText(std::string_view text) {
    const char* const data = text.data();
    const std::size_t end = text.size();
    std::size_t p = 0;
    while (p != end) {
        p = NextLineBreakOrNul(data, p, end);
        if (p == end) {
            return false; // the last line has no CR LF
        }
        if (data[p] != '\r' || p + 1 == end || data[p + 1] != '\n') {
            return false; // a NUL, a lone CR or a lone LF
        }
        p += 2;
    }
    return true;
}

LineList SplitLines(std::string_view text) {
    // The first NUL ends the text; nothing after it becomes a line.
    const std::size_t end = std::min(text.find('\0'), text.size());
    const char* const data = text.data();

    LineList lines;
    // The lines never need more room than the text: fill it, then cut it to size.
    lines.buffer_ = MakeLargeText(end);
    char* out = lines.buffer_.data();
    std::size_t written = 0;
    std::size_t p = 0;
    while (p != end) {
        const std::size_t lineEnd = NextLineBreak(data, p, end);
        const std::size_t length = lineEnd - p;
        if (length != 0) {
            std::memcpy(out + written, data + p, length);
            written += length;
        }
        lines.ends_.push_back(written);
        p = lineEnd;
        if (p != end && data[p] == '\r') {
            ++p;
        }
        if (p != end && data[p] == '\n') {
            ++p;
        }
    }
    lines.buffer_.resize(written);
    return lines;
}

std::string JoinLines(const LineList& lines) {
    std::string joined = MakeLargeText(lines.JoinedSize());
    char* out = joined.data();
    const char* in = lines.buffer_.data();
    std::size_t start = 0;
    for (const std::size_t lineEnd : lines.ends_) {
        const std::size_t length = lineEnd - start;
        if (length != 0) {
            std::memcpy(out, in + start, length);
        }
        out += length;
        *out++ = '\r';
        *out++ = '\n';
        start = lineEnd;
    }
    return joined;
}

} // namespace glyphwright

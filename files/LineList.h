// One text file in memory as lines without CR, LF or NUL. The lines live in
// one buffer, back to back, with the offset where each one ends; not as one
// heap string per line.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace glyphwright {

class LineList {
public:
    std::size_t Count() const { return ends_.size(); }
    bool Empty() const { return ends_.empty(); }
    std::string_view Line(std::size_t index) const {
        const std::size_t start = index == 0 ? 0 : ends_[index - 1];
        return std::string_view(buffer_).substr(start, ends_[index] - start);
    }
    void Append(std::string_view line);
    void Clear();

    // Sum over the lines of (length + 2): the size of the joined text.
    std::size_t JoinedSize() const { return buffer_.size() + 2 * ends_.size(); }

private:
    std::string buffer_;
    std::vector<std::size_t> ends_;

    friend LineList SplitLines(std::string_view text);
    friend std::string JoinLines(const LineList& lines);
};

// CR LF, a lone CR and a lone LF each end a line; the first NUL ends the text.
LineList SplitLines(std::string_view text);

// Every line followed by CR LF, the last one included.
std::string JoinLines(const LineList& lines);

// True when text is already what JoinLines makes of its lines: no NUL, every
// line ended by CR LF, no lone CR or LF. Then JoinLines(SplitLines(text)) is
// text itself, and the round trip can be left out.
bool IsJoinedText(std::string_view text);

} // namespace glyphwright

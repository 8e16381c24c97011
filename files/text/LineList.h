// One text file in memory as lines without CR, LF or NUL. The lines live in
// one buffer, each followed by a LF, with the start of every 64th line noted:
// no table entry per line, which for a file of line ends alone would take
// eight times its size.
#pragma once

#include <cstddef>
#include <functional>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace glyphwright {

class LineList {
public:
    class Iterator;

    std::size_t Count() const { return count_; }
    bool Empty() const { return count_ == 0; }
    // Found from the nearest noted line; walking all lines is cheaper by
    // begin() and end().
    std::string_view Line(std::size_t index) const;
    void Append(std::string_view line);
    void Clear();

    // Sum over the lines of (length + 2): the size of the joined text.
    std::size_t JoinedSize() const;

    // The lines in order, each followed by a LF.
    std::string_view Text() const { return text_; }

    Iterator begin() const;
    Iterator end() const;

private:
    static constexpr std::size_t kMarkEvery = 64;

    void NoteLineStart(std::size_t start);

    std::string text_;
    std::size_t count_ = 0;
    std::vector<std::size_t> marks_; // where lines 0, 64, 128, ... start

    friend LineList SplitLines(std::string_view text);
    friend LineList SplitLinesInPlace(std::string&& text);
};

// The lines of a list in order, as views into it.
class LineList::Iterator {
public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = std::string_view;
    using difference_type = std::ptrdiff_t;
    using pointer = void;
    using reference = std::string_view;

    Iterator() = default;
    std::string_view operator*() const {
        return {start_, static_cast<std::size_t>(lineEnd_ - start_)};
    }
    Iterator& operator++();
    Iterator operator++(int) {
        Iterator before = *this;
        ++*this;
        return before;
    }
    bool operator==(const Iterator& other) const { return start_ == other.start_; }

private:
    friend class LineList;
    Iterator(const char* start, const char* stop);

    const char* start_ = nullptr;
    const char* lineEnd_ = nullptr; // the LF after the line
    const char* stop_ = nullptr;
};

// CR LF, a lone CR and a lone LF each end a line; the first NUL ends the text.
LineList SplitLines(std::string_view text);
// The same, reusing the text's own buffer; with room for one more byte than
// the text, nothing else is allocated.
LineList SplitLinesInPlace(std::string&& text);

// Passes the joined text of lines to put in consecutive pieces of at most
// pieceSize bytes (at least 2), cut anywhere, so that a large file is never
// joined whole. Stops and returns false as soon as put returns false.
bool JoinLinesInPieces(const LineList& lines, std::size_t pieceSize,
                       const std::function<bool(std::string_view)>& put);

} // namespace glyphwright

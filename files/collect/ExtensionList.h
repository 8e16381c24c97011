// The extension filter list: entries of text and mark, kept in ascending order
// of their texts ignoring letter case. Equal texts may stand twice; a new entry
// goes after the entries equal to it and starts with its mark off.
#pragma once

#include <cstddef>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace glyphwright {

class ListObserver;

struct ExtensionEntry {
    std::string text;
    bool marked = false;
};

class ExtensionList {
public:
    static constexpr std::size_t NoLimit = std::numeric_limits<int>::max();

    // maxCount bounds the entries (a view addresses rows by int); adding past
    // it throws ListFullError and leaves the list as it was.
    explicit ExtensionList(std::size_t maxCount = NoLimit);

    // The seven entries a first start shows, all off.
    static ExtensionList WithDefaults();

    void SetObserver(ListObserver* observer) { observer_ = observer; }

    std::size_t Count() const { return entries_.size(); }
    const std::string& Text(std::size_t position) const { return entries_.at(position).text; }
    bool Mark(std::size_t position) const { return entries_.at(position).marked; }
    void SetMark(std::size_t position, bool marked);
    void ToggleMark(std::size_t position) { SetMark(position, !Mark(position)); }

    // Inserts at the sorted place with the mark off; returns that position.
    std::size_t Add(std::string_view text);
    void Delete(std::size_t position);
    void Clear();

    // The first entry, in list order, equal to text ignoring case.
    std::optional<std::size_t> Find(std::string_view text) const;

private:
    std::vector<ExtensionEntry> entries_;
    std::size_t maxCount_;
    ListObserver* observer_ = nullptr;
};

} // namespace glyphwright

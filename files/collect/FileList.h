// The file list: paths in order of intake, never sorted, duplicates allowed.
#pragma once

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace glyphwright {

class ListObserver;

class FileList {
public:
    static constexpr std::size_t NoLimit = std::numeric_limits<int>::max();

    // Appending past maxCount throws ListFullError; the entries before stay.
    explicit FileList(std::size_t maxCount = NoLimit);

    void SetObserver(ListObserver* observer) { observer_ = observer; }

    std::size_t Count() const { return paths_.size(); }
    const std::string& Path(std::size_t position) const { return paths_.at(position); }

    void Append(std::string path);
    void Delete(std::size_t position);
    void Clear();

    // Removes the given positions (ascending, unique) with the result of
    // deleting them one at a time: block by block from the end, or, past a
    // few hundred blocks, in one pass with one reset told to the observer, so
    // that a scattered selection of many rows stays linear.
    void DeleteRows(const std::vector<std::size_t>& ascendingPositions);

private:
    void RemoveBlock(std::size_t first, std::size_t last);
    void DeleteRowsAtOnce(const std::vector<std::size_t>& ascendingPositions);

    std::vector<std::string> paths_;
    std::size_t maxCount_;
    ListObserver* observer_ = nullptr;
};

} // namespace glyphwright

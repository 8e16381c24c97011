// Entries of a run that reach one file, by one name or several, must take
// their turns in list order also when several workers share the run, so that
// the run ends as it would on one thread. This finds, before the run, which
// earlier entry each one has to wait for.
#pragma once

#include "files/FileStamp.h"

#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace glyphwright {

class SharedFiles {
public:
    // Notes what the entry at path reaches: the file standing there now
    // (links followed), its name and the name of its backup. Returns the
    // last earlier entry that reached any of them. Entries come in order.
    std::optional<std::size_t> Reach(std::size_t entry, const std::string& path);

private:
    void Note(std::optional<std::size_t>& last, std::optional<std::size_t> found);

    std::map<FileId, std::size_t> files_;
    std::unordered_map<std::string, std::size_t> names_;
};

// For each of count entries, at pathOf(entry), the earlier one it has to wait
// for, as Reach says, as the files stand now.
std::vector<std::optional<std::size_t>>
TurnsOf(std::size_t count, const std::function<const std::string&(std::size_t)>& pathOf);

} // namespace glyphwright

// Entries of a run that reach one file, by one name or several, must take
// their turns in list order also when several workers share the run, so that
// the run ends as it would on one thread. This finds, before the run, which
// earlier entry each one has to wait for.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace glyphwright {

// For each of count entries, at pathOf(entry), the last earlier entry that
// reaches the same file as the files stand now (links followed), or whose
// name is this entry's backup name or the other way round; nothing for an
// entry that shares nothing with an earlier one. The files are looked up by
// `workers` threads at once; pathOf must bear that.
std::vector<std::optional<std::size_t>>
TurnsOf(std::size_t count, const std::function<const std::string&(std::size_t)>& pathOf,
        std::size_t workers);

} // namespace glyphwright

// The folder walk written as plainly as possible (recursive, full paths,
// opendir/readdir/stat), to say which order the file system gives on trees
// without links.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace glyphwright::testing {

std::vector<std::string> ReaddirWalk(const std::string& base,
                                     const std::function<bool(const std::string&)>& accepts);

// The names of one folder in readdir order, "." and ".." left out.
std::vector<std::string> ReaddirNames(const std::string& folder);

} // namespace glyphwright::testing

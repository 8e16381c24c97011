// Generated trees for the fault suite: files of known old content, what the
// tool must make of each (its converted content and its backup), and the
// check that after any fault every file holds exactly one of the two.
#pragma once

#include <cstddef>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace glyphwright::faults {

struct Expected {
    std::string old;       // as generated
    std::string converted; // what the encode run writes
    std::string backup;    // what its backup holds: the old content with CR LF line ends
};

// Bytes of an HTML-like page with LF line ends: about one byte in denseness
// is a high byte that the encode run turns into an entity.
std::string MakePage(std::mt19937& random, std::size_t size, int denseness = 8);

// Expected of a generated page.
Expected ExpectedOf(std::string old);

class FaultTree {
public:
    // Writes files spread over folders below root ("s0/f0.htm" ...).
    FaultTree(std::string root, std::mt19937& random, std::size_t files, std::size_t folders,
              std::size_t minSize, std::size_t maxSize, int denseness = 8);

    const std::string& Root() const { return root_; }
    const std::map<std::string, Expected>& Files() const { return files_; }

    struct State {
        std::size_t converted = 0;
        std::size_t untouched = 0;
        std::size_t leftovers = 0;       // hidden temporary files
        std::vector<std::string> faults; // empty when every rule holds
    };
    // Every listed file holds its old or its converted content; a converted
    // one has its backup when backups were asked for; a backup present holds
    // exactly its file's old content; nothing else is there but temporary
    // files of the tool (counted).
    State Check(bool backups) const;

private:
    std::string root_;
    std::map<std::string, Expected> files_; // by path relative to root
};

// Bytes, inode and times of everything below folder, to see that a run left
// it alone. Links are taken as links.
std::map<std::string, std::string> Fingerprint(const std::string& folder);

// Whether name is one of the tool's temporary files.
bool IsTemporaryName(const std::string& name);

} // namespace glyphwright::faults

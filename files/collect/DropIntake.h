// Taking the paths of one drop into the file list.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace glyphwright {

class ExtensionList;
class FileList;

// The files one intake left out because no marked entry matched their names.
struct Refusals {
    std::size_t count = 0;
    std::string first = {}; // the first of them, as named or found
    // Their extensions, upper-cased, each once in the order first met, at most
    // kKeptExtensions; names without an extension add none.
    std::vector<std::string> extensions = {};

    static constexpr std::size_t kKeptExtensions = 16;
    void Add(const std::string& path);
};

// What one intake did: the entries it appended, and the files it left out,
// apart for the paths named in the drop itself and the files walks found.
struct IntakeOutcome {
    std::size_t taken = 0;
    Refusals named = {};
    Refusals found = {};
};

// For each dropped path in order: an existing folder (or a link to one) is
// walked by ScanFolder; anything else is judged by IsAcceptedFile and, when
// accepted, appended unchanged, without checking that it exists.
// A ListFullError ends the intake and propagates; entries before stay.
// pause, when given, runs after every dropped path and every entry a walk
// reads, so that a window can repaint while a large tree is taken in.
IntakeOutcome TakeDroppedPaths(const std::vector<std::string>& dropList,
                               const ExtensionList& extensions, FileList& files,
                               const std::function<void()>& pause = {});

} // namespace glyphwright

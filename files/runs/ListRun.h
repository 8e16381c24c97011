// A whole run over the file list: every entry in order through the per-file
// step, the failures gathered so that the caller can report them.
#pragma once

#include "files/io/FileFailure.h"
#include "files/runs/ConvertListedFile.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace glyphwright {

// Each entry taken in hand counts once: converted, unchanged, named twice or failed.
struct RunSummary {
    std::size_t converted = 0;         // files converted
    std::size_t convertedAsUtf8 = 0;   // of those, the files read as UTF-8
    std::size_t unchanged = 0;         // files left alone, as nothing in them would change
    std::size_t duplicates = 0;        // entries whose file the run had converted already
    std::vector<FileFailure> failures; // one per failed entry, in list order
    std::size_t handled = 0;           // entries taken in hand: all of them unless stopped
    bool stopped = false;              // a stop request ended the run early
};

struct RunHooks {
    ConvertHooks perFile;
    // Called after each entry with its position and outcome, in list order
    // on the calling thread; may be empty.
    std::function<void(std::size_t entry, const FileOutcome&)> entryDone;
    // With several workers: called on the calling thread about every 20 ms
    // while it waits for the next entry to be done. May be empty.
    std::function<void()> waiting;
};

// Takes the entry count once, then converts entries 0 .. N-1, each file once
// however often it is listed. A stop request (hooks.perFile.stop) is looked
// at before each entry and before each replacement; the entry it stops is
// neither done nor failed. With hooks.perFile.sync every folder that got a
// new name is synced once, at the end.
//
// With one worker the entries are converted in order on the calling thread.
// With more, that many threads convert them at the same time and the
// per-file hooks are called on those threads; entries that reach the same
// file still take their turns in list order, so the files, the outcomes and
// the summary are those of a run on one thread (as long as nobody else
// changes the files meanwhile).
// Beyond this many workers a run gains little and costs memory on large machines.
inline constexpr std::size_t kDefaultWorkersLimit = 16;

// The workers of a run unless the user says otherwise: one per online CPU,
// at most kDefaultWorkersLimit. The window and the command-line tool agree.
std::size_t DefaultWorkers();

RunSummary ConvertAllListed(const FileList& list, const Conversion& conversion,
                            const RunHooks& hooks, std::size_t workers = 1);

} // namespace glyphwright

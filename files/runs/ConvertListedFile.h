// The per-file step of a conversion run: load, back up when asked, convert,
// save. Every error of one file is caught here and returned as its outcome.
#pragma once

#include "files/collect/FileList.h"
#include "files/io/FileFailure.h"
#include "files/text/Conversion.h"
#include "files/text/LineList.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace glyphwright {

class FileClaims;
class StopFlag;

// In a run shared by several workers each hook is called on the thread of the
// worker at hand, at the same time as on the others.
struct ConvertHooks {
    // Called after loading, before anything is written. May be empty.
    std::function<void(const std::string& path)> loaded;
    // Asked once per file, after loading: write the backup?
    std::function<bool()> backupWanted;
    // Called on the worker's thread at the moment FileOutcome::stepped becomes
    // true, before the new file takes the old one's place; tests act then.
    // May be empty.
    std::function<void()> progressStep;
    // For tests: runs just before the converted file replaces the old one.
    std::function<void(const std::string& target)> beforeReplace;
    // A requested stop leaves the file as it was, unless it is already replaced. May be null.
    const StopFlag* stop = nullptr;
    // Each new file is made durable before it takes its name.
    bool sync = false;
    // A file that its conversion would not change is neither written nor
    // backed up: its inode, its time stamp and an older backup stay.
    bool leaveUnchanged = false;
};

struct FileOutcome {
    bool converted = false;   // also for a file that the run had converted already
    bool alreadyDone = false; // converted earlier in the run; nothing read or written
    bool unchanged = false;   // nothing to change: not written (leaveUnchanged)
    // A step of the encode run's bar: the text was converted (also when
    // writing it failed then), or the run had converted the file already; not
    // when loading, the backup or converting failed.
    bool stepped = false;
    std::size_t joinedSize = 0; // bytes of the file read (joined under CR LF), once it was
    FileFailure failure;        // why not, when not converted
    Charset charset = Charset::Windows1252; // as the file was read, when it was
    std::vector<std::string> renamedIn;     // folders that got a new name
};

// The character set is chosen on the bytes as loaded, before the backup; a
// file that has to be UTF-8 but is not is refused untouched, backup included.
// With converted, a file that the run has converted already, under this
// name or another, is not read or written again. Without it every call
// converts.
FileOutcome ConvertListedFile(const FileList& list, std::size_t entry, const Conversion& conversion,
                              const ConvertHooks& hooks, FileClaims* converted = nullptr);

} // namespace glyphwright

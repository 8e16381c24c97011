// The per-file step of a conversion run: load, back up when asked, convert,
// save. Every error of one file is caught here and returned as its outcome.
#pragma once

#include "files/Conversion.h"
#include "files/FileList.h"
#include "files/LineList.h"

#include <cstddef>
#include <functional>
#include <string>

namespace glyphwright {

struct ConvertHooks {
    // Called after loading, before anything is written; may refuse the file by
    // throwing, which leaves it as it was, without a backup. May be empty.
    std::function<void(const std::string& path, const LineList& lines)> loaded;
    // Asked once per file, after loading: write the backup?
    std::function<bool()> backupWanted;
    // Called after converting, before saving (the encode run's bar step); may be empty.
    std::function<void()> progressStep;
};

struct FileOutcome {
    bool converted = false;
    std::string message;                    // the error's message when not converted
    Charset charset = Charset::Windows1252; // as the file was read, when it was
};

// The character set is chosen on the bytes as loaded, before the backup; a
// file that has to be UTF-8 but is not is refused untouched, backup included.
FileOutcome ConvertListedFile(const FileList& list, std::size_t entry, const Conversion& conversion,
                              const ConvertHooks& hooks);

} // namespace glyphwright

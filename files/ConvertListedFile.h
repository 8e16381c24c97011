// The per-file step of a conversion run: load, back up when asked, convert,
// save. Every error of one file is caught here and returned as its outcome.
#pragma once

#include "files/FileList.h"
#include "files/LineList.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace glyphwright {

using TextConversion = std::function<std::string(std::string_view)>;

struct ConvertHooks {
    // Called after loading, before anything is written; may refuse the file by
    // throwing, which leaves it as it was, without a backup. May be empty.
    std::function<void(const std::string& path, const LineList& lines)> loaded;
    // Asked once per file, after loading: write the backup?
    std::function<bool()> backupWanted;
    // The encode run's bar step: called once the text is converted, before the
    // new file takes the old one's place, and when writing it fails; not when
    // loading, the backup or converting fails. May be empty.
    std::function<void()> progressStep;
};

struct FileOutcome {
    bool converted = false;
    std::string message; // the error's message when not converted
};

FileOutcome ConvertListedFile(const FileList& list, std::size_t entry,
                              const TextConversion& convert, const ConvertHooks& hooks);

} // namespace glyphwright

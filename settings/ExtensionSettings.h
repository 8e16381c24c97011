// Loading the extension list from the settings file and saving it back, in the
// section "Ext": one line per entry, its text, "=", then "1" for marked or "0".
#pragma once

#include "files/collect/ExtensionList.h"

#include <string>
#include <string_view>

namespace glyphwright {

inline constexpr std::string_view ExtensionSection = "Ext";

enum class LoadOutcome {
    Loaded, // the list now holds the file's entries (none when it has no section)
    NoFile, // no settings file: the list is untouched
    Failed, // the front end tells so; entries added before the failure remain
};

enum class SaveOutcome {
    Saved,
    Failed, // the front end tells so; the file on disk is as it was
};

// A regular file counts as present whatever its time stamps. A file that is
// present but cannot be read is a failure that leaves the list untouched, so
// that the next save does not replace the user's settings by the defaults.
LoadOutcome LoadExtensionList(ExtensionList& list, const std::string& iniPath);

// Rewrites the section with every entry in list order, other sections kept as
// they are, and replaces the file in one atomic write; missing folders above
// the file are created. An empty list leaves a file without the section (an
// empty file when there was none), so the next start shows the empty list.
SaveOutcome SaveExtensionList(const ExtensionList& list, const std::string& iniPath);

} // namespace glyphwright

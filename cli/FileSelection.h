// Which files a call names: the filter for folders, and the PATHs taken in
// order, folders walked as a drop on the window walks them.
#pragma once

#include "cli/CommandLine.h"
#include "files/collect/ExtensionList.h"

#include <string>
#include <vector>

namespace glyphwright {
class FileList;
class StopFlag;
} // namespace glyphwright

namespace glyphwright::cli {

enum class PathKind { Folder, File, Missing };

// A folder (or a link to one), anything else that exists, or nothing: a path
// that does not exist, also through a dangling link or a file used as a
// folder. A path that cannot be examined otherwise counts as a file, so that
// its conversion reports why.
PathKind KindOf(const std::string& path);

// Whether any of paths is a folder (the filter is needed then).
bool AnyFolder(const std::vector<std::string>& paths);

// The window's settings file: that of the program "glyphwright" beside this one.
std::string WindowSettingsPath();

// The filter for the folders among paths: the --ext entries, all marked; or
// the marked entries of the settings file (--settings, else the window's).
// Throws UsageError when a named settings file is missing or unreadable, or
// when a folder is given and no entry is marked.
ExtensionList FolderFilter(const Invocation& invocation, bool folderGiven);

// Every entry of the extension list, marked or not: that of the settings file
// named by --settings (which must exist), else the window's, else the defaults.
ExtensionList KnownExtensions(const Invocation& invocation);

// Walks folder as ScanFolder does. A requested stop ends the walk after the
// entry being read; what was appended stays.
void WalkFolder(const std::string& folder, const ExtensionList& filter, FileList& files,
                const StopFlag* stop);

// Takes paths in order into files: a folder is walked by WalkFolder, any other
// existing path is appended as named, whatever its extension. Returns the
// missing paths, in order; they contribute nothing. After a requested stop no
// further path is taken.
std::vector<std::string> TakePaths(const std::vector<std::string>& paths,
                                   const ExtensionList& filter, FileList& files,
                                   const StopFlag* stop = nullptr);

// The failure line of a missing path.
std::string MissingPathMessage(const std::string& path);

} // namespace glyphwright::cli

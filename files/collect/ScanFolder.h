// The recursive folder walk that fills the file list from a dropped folder.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace glyphwright {

class ExtensionList;
class FileList;

// The path without one trailing "/" (the path separator here); "/" gives "".
std::string StripTrailingBackslash(std::string_view path);

// Walks folder and every folder below it depth-first, in the order the file
// system delivers the entries, and appends base + "/" + name for each file
// whose name IsAcceptedFile accepts (base: folder after StripTrailingBackslash).
// Folders, symbolic links to folders included, are walked whatever their names,
// but a link (the dropped folder's own included) only when it may be followed
// (TrustedLinks.h); a link that may not is judged by its name as a file;
// everything else is judged by its name alone. A folder that cannot be opened
// or read contributes nothing and is not reported. No folder (device and inode)
// is entered twice in one walk, so links that lead back into the tree end there.
// Any depth is walked within a few descriptors: a folder that cannot be opened
// for want of descriptors is not skipped, the walk closes some of its own.
// A ListFullError from files ends the walk and propagates; entries before stay.
// pause, when given, runs after every entry read; refused, when given, is told
// the path of each file the extension filter leaves out.
void ScanFolder(std::string_view folder, const ExtensionList& extensions, FileList& files,
                const std::function<void()>& pause = {},
                const std::function<void(const std::string&)>& refused = {});

} // namespace glyphwright

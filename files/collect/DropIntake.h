// Taking the paths of one drop into the file list.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace glyphwright {

class ExtensionList;
class FileList;

// For each dropped path in order: an existing folder (or a link to one) is
// walked by ScanFolder; anything else is judged by IsAcceptedFile and, when
// accepted, appended unchanged, without checking that it exists.
// A ListFullError ends the intake and propagates; entries before stay.
// pause, when given, runs after every dropped path and every entry a walk
// reads, so that a window can repaint while a large tree is taken in.
void TakeDroppedPaths(const std::vector<std::string>& dropList, const ExtensionList& extensions,
                      FileList& files, const std::function<void()>& pause = {});

} // namespace glyphwright

// What a conversion would do to one entry of the file list, found without
// writing anything: no file, no backup, no temporary file, no time stamp.
#pragma once

#include "files/collect/FileList.h"
#include "files/io/FileFailure.h"
#include "files/text/Conversion.h"

#include <cstddef>
#include <string>

namespace glyphwright {

struct CheckOutcome {
    bool checked = false;     // false: the conversion would refuse the file; failure says why
    bool wouldChange = false; // the converted file would differ from the bytes on disk
    FileFailure failure;      // why not, when not checked
    Charset charset = Charset::Windows1252; // as the file would be read, when it was
};

// Loads the file as the conversion loads it, takes it in and converts it in
// memory the same way, and compares the result with the bytes on disk, so
// that a change of line ends alone counts too. Every error is caught and
// returned as the outcome. Keeps no state between calls.
CheckOutcome CheckListedFile(const FileList& list, std::size_t entry, const Conversion& conversion);

} // namespace glyphwright

// The part of the per-file step that works on a file's bytes in memory. The
// conversion and the check both go through it, so that what the check says a
// run would write is what the run writes.
#pragma once

#include "files/io/FileContent.h"
#include "files/text/CharsetChoice.h"
#include "files/text/Conversion.h"
#include "files/text/LineList.h"

#include <functional>
#include <string>
#include <string_view>

namespace glyphwright {

// A file as loaded, in the form its line ends ask for: the window's form
// (LineEnds::CrLf) works on the lines, the others on the bytes as loaded.
struct LoadedText {
    Charset charset = Charset::Windows1252;
    LineEnds lineEnds = LineEnds::CrLf;
    LineList lines;    // CrLf and Lf: the lines; Lf converts their LF-ended text
    std::string bytes; // Lf and Keep, and CrLf when asked: the bytes as loaded
};

// Chooses the character set on the bytes as loaded and takes them in for
// conversion.lineEnds. Throws UnsupportedFileError::NotUtf8, naming path, for
// a file that has to be UTF-8 but is not. Under CrLf the bytes are split in
// their own buffer, and kept beside the lines only with keepBytes.
LoadedText TakeLoadedBytes(const std::string& path, std::string&& bytes,
                           const Conversion& conversion, bool keepBytes = false);

// The bytes loaded, or the lines joined under CrLf without kept bytes.
std::size_t LoadedSize(const LoadedText& text);

// What the file is written as: its text converted in its character set, made
// piece by piece: the converted text of its lines joined with CR LF (CrLf),
// of its LF-ended lines (Lf) or of its bytes (Keep); no conversion makes or
// removes a CR, LF or NUL. converted is called once the whole text is converted, before
// its last piece is passed on. text, conversion and converted must outlive it.
FileContent ConvertedFileContent(const LoadedText& text, const Conversion& conversion,
                                 const std::function<void()>& converted);

// What a backup of the file holds: under CrLf its lines joined with CR LF, as
// the window has always written them; otherwise a copy of its bytes.
FileContent BackupContent(const LoadedText& text);

// True when the conversion surely leaves the file as it is, found by the
// conversion's quick look alone (under LineEnds::Keep); false: convert and
// compare to know.
bool SurelyUnchanged(const LoadedText& text, const Conversion& conversion);

// Whether content passes exactly bytes; stops at the first piece that differs.
bool ContentEquals(const FileContent& content, std::string_view bytes);

} // namespace glyphwright

// An INI file held as its bytes, with the four things the program does to it:
// list the names of a section, read a value, erase a section, write a value.
// Only the section being read or written is ever parsed for meaning; every
// other line is kept as the exact bytes it was read with.
//
// How a file is read (the rules of the Windows private-profile service where
// it documents them, and the safe choice where it does not):
// - A line ends at LF; a CR right before that LF belongs to the line end, so
//   files saved with LF alone read the same. The last line may have no end.
// - Blanks (space, tab, CR, VT, FF) around section names, setting names and
//   values are ignored.
// - A line whose first non-blank byte is "[" is a section header; its name
//   runs to the first "]", or to the line's end when there is none. Lines
//   before the first header belong to no section.
// - Section names and setting names compare ignoring case (EqualIgnoringCase).
// - Inside a section, a line holding "=" is a setting: its name is the text
//   before the first "=", its value all the text after it. A value enclosed in
//   a matching pair of double or single quotes is read without them.
// - Not settings, and so neither listed nor matched: blank lines, comment lines
//   (first non-blank byte ";"), lines without "=", and lines whose name is
//   empty (listing an empty name would end the caller's walk of the names).
// - A section whose header occurs more than once is one section: its settings
//   are read in file order across all its parts, a new setting goes to the end
//   of its last part, and erasing it removes every part.
//
// How a file is changed:
// - Erasing a section removes its header lines and every line below them up to
//   the next header of another section, and nothing else.
// - Writing a value replaces the value of the section's first setting of that
//   name in place (the text up to and including its "=" and the line end stay
//   as they were), or adds the line name=value after the section's last
//   non-blank line. A missing section is added at the end of the file, header
//   first; an erased section that is written again is therefore added there.
//   When the file's last line has no line end and belongs to a section, the
//   new one goes in front of that section's header instead, so that the other
//   section keeps every byte.
// - Lines that are added end with CR LF; when the line they follow has no line
//   end (its own section's, or one before the first header), it gets CR LF first.
// - Names and values that would change the file's structure (holding CR, LF or
//   NUL; a name that is empty or starts with "[" or ";") are refused with
//   IniFormatError before anything changes.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace glyphwright {

class IniFormatError : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

class IniFile {
public:
    // The reading buffers of the private-profile service, in bytes.
    static constexpr std::size_t NamesBufferSize = 8192;
    static constexpr std::size_t ValueBufferSize = 1024;

    IniFile() = default;
    explicit IniFile(std::string_view bytes);

    std::string Bytes() const;

    // The names buffer as the service fills it: each setting name of the
    // section in file order followed by a zero byte, the run closed by a second
    // zero byte, at most NamesBufferSize bytes. When the names don't all fit,
    // the last one that partly fits is cut so that the two closing zero bytes
    // end the buffer. Empty when the section is missing or has no settings.
    std::string NamesBuffer(std::string_view section) const;

    // The value of the section's first setting whose name equals name ignoring
    // case, cut to ValueBufferSize - 1 bytes and at a zero byte as a caller of
    // the service sees it; empty when there is none.
    std::string ReadValue(std::string_view section, std::string_view name) const;

    void EraseSection(std::string_view section);
    void WriteValue(std::string_view section, std::string_view name, std::string_view value);

private:
    struct Line {
        std::string text;   // without its line end
        std::string ending; // "\r\n", "\n" or "" for a last line without one
    };

    bool IsHeaderOf(const Line& line, std::string_view section) const;
    std::vector<std::size_t> SettingLines(std::string_view section) const;

    std::vector<Line> lines_;
};

// The names a caller finds in a names buffer: zero-terminated texts up to the
// first empty one.
std::vector<std::string> NamesInBuffer(std::string_view buffer);

} // namespace glyphwright

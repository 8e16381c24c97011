// Which character set a file is written in, decided on its bytes as loaded.
// Most pages written on Linux in the last fifteen years are UTF-8; older ones,
// and everything the program wrote in earlier days, are Windows-1252.
#pragma once

#include <cstddef>
#include <string_view>

namespace glyphwright {

enum class Charset { Windows1252, Utf8 };

// How a run picks the character set of each file.
enum class CharsetRule {
    PerFile,     // by the file's own bytes, see ChooseCharset
    Utf8,        // every file is UTF-8; one that is not valid UTF-8 is refused
    Windows1252, // every file is Windows-1252, whatever it holds
};

struct CharsetChoice {
    Charset charset = Charset::Windows1252;
    // When the file must be UTF-8 (it starts with the byte-order mark, or UTF-8
    // was asked for) but is not: the offset of the first bad byte. The file is
    // then refused. npos otherwise.
    std::size_t invalidAt = std::string_view::npos;
};

// Under CharsetRule::PerFile the first rule that applies decides:
// 1. the UTF-8 byte-order mark EF BB BF at the start: UTF-8, and the rest must be valid;
// 2. some byte 0x80 or above, and the whole text is valid UTF-8: UTF-8;
// 3. some byte 0x80 or above, and not valid UTF-8: Windows-1252;
// 4. pure ASCII: UTF-8 when DeclaresUtf8, else Windows-1252.
CharsetChoice ChooseCharset(std::string_view bytes, CharsetRule rule);

// How many bytes at the start of a file are searched for a declaration.
inline constexpr std::size_t kDeclarationWindow = 1024;

// Whether the first kDeclarationWindow bytes declare UTF-8, ignoring ASCII case:
// - a tag "<meta" followed by a blank (space, tab, CR, LF) in which, before the
//   tag's next '>', "charset=" is followed by optional blanks, an optional quote
//   and "utf-8" or "utf8"; "<meta" and the end of that value lie in the window;
// - an XML declaration at the very start: "<?xml", then, before "?>",
//   "encoding=" followed by a quote and "utf-8" or "utf8", also in the window.
bool DeclaresUtf8(std::string_view bytes);

// The 1-based line, counted as the line model counts lines (CR LF, a lone CR
// and a lone LF each end one), in which the byte at offset stands.
std::size_t LineNumberAt(std::string_view bytes, std::size_t offset);

} // namespace glyphwright

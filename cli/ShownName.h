// How the tool shows a path to a person: a name that would steer the terminal
// or could be misread is quoted as `ls --quoting-style=shell-escape` quotes
// it, 'b'$'\033''[2J.htm'; every other name is shown as it is. A message
// puts every name in single quotes.
#pragma once

#include <cstdio>
#include <initializer_list>
#include <string>
#include <string_view>

namespace glyphwright::cli {

// Quoted when the name holds a control character (C0, DEL, U+0080..U+009F), a
// byte that is not part of valid UTF-8 or a single quote, or starts with "~"
// or "#". Every quoted form holds a single quote and no name shown as it is
// does, so the two cannot be confused; a quoted form read by a shell gives the
// name back.
std::string ShownName(std::string_view name);

// A name in a message: always in single quotes, as GNU tools name a file in
// their diagnostics ('a.htm'); a name ShownName quotes as ShownName quotes it.
std::string QuotedName(std::string_view name);

// A name in a listing: quoted on a terminal; into a pipe or file raw, so that
// scripts get the names as they are, unless it holds a line break (LF or CR)
// and would be read as two lines.
std::string ListedName(std::string_view name, bool onTerminal);

// How the listings of -n, --check and restore -n write their names.
struct ListingForm {
    bool onTerminal = false;
    bool nullEnded = false; // -z: every name raw and ended by NUL, for xargs -0
};

// One entry of a listing, its end included: the names as ListedName shows
// them, joined by " -> " (a backup and its file), and a line break; with -z
// each name as it is, followed by a NUL byte.
std::string ListingEntry(std::initializer_list<std::string_view> names, ListingForm form);

// Writes ListingEntry to out.
void PutListingEntry(std::FILE* out, std::initializer_list<std::string_view> names,
                     ListingForm form);

// The line with every control character and stray byte as a $'\ooo' piece:
// the last guard for a message that holds a name not passed through ShownName.
std::string VisibleControls(std::string_view line);

} // namespace glyphwright::cli

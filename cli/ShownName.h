// How the tool shows a path to a person: a name that would steer the terminal
// or could be misread is quoted as `ls --quoting-style=shell-escape` quotes
// it, 'b'$'\033''[2J.htm'; every other name is shown as it is.
#pragma once

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

// A listing's line: quoted on a terminal, raw into a pipe or file, so that
// scripts get the names as they are.
std::string ListedName(std::string_view name, bool onTerminal);

// The line with every control character and stray byte as a $'\ooo' piece:
// the last guard for a message that holds a name not passed through ShownName.
std::string VisibleControls(std::string_view line);

} // namespace glyphwright::cli

// A file name as the window shows it to a person: on one line, with a visible
// mark for each character that would break the line, move the text or draw
// nothing. The file itself keeps its name's bytes; only the shown text differs.
#pragma once

#include <QString>

#include <string_view>

namespace glyphwright::ui {

// The bytes read as UTF-8, each byte that is not UTF-8 as U+FFFD; the C0
// controls as their control pictures U+2400..U+241F, DEL as U+2421; the C1
// controls and the line and paragraph separators as U+FFFD. Text around a
// name (a failure line) may go through it too: it changes only those.
QString ShownName(std::string_view bytes);

} // namespace glyphwright::ui

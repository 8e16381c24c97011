// How glyphwright-cli words a failure: the core's data in German, every path
// in single quotes as QuotedName shows it.
#pragma once

#include "files/io/FileFailure.h"

#include <exception>
#include <string>

namespace glyphwright::cli {

// The failure line of one file; its path, where the line names it, as
// QuotedName shows it. Any control character in a foreign error's own words
// is left for VisibleControls.
std::string FailureText(const FileFailure& failure);

// The words for an error that ended the whole run: a file's failure or no
// memory as above, a full list; an error not the core's by its own message,
// "Unbekannter Fehler" when it has none.
std::string ExceptionMessage(std::exception_ptr error);

} // namespace glyphwright::cli

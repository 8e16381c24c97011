// How the window words a failure: the core's data in German, every name as
// ShownName shows it.
#pragma once

#include "files/io/FileFailure.h"

#include <QString>

#include <cstddef>
#include <vector>

namespace glyphwright::ui {

// The failure line of one file, on one line whatever its path holds: the
// whole line as ShownName shows it (the words around the path are plain text).
QString FailureText(const FileFailure& failure);

// How many failures the report lists by name before it sums up the rest.
inline constexpr std::size_t kListedFailures = 20;

// "Nicht umgewandelt:" and one FailureText per failure (at most
// kListedFailures), then "… und N weitere"; empty when nothing failed.
QString FailureReport(const std::vector<FileFailure>& failures);

} // namespace glyphwright::ui

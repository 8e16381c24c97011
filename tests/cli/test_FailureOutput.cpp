#include "cli/FailureOutput.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <utility>
#include <vector>

namespace glyphwright::cli {
namespace {

// The path in a failure line stands in single quotes, where the core's
// message names it and where the line puts it in front, and only there.
TEST(ShownFailureLine, NamesThePathInSingleQuotes) {
    const std::vector<std::pair<FileFailure, std::string>> cases{
        {{FailureKind::Create, "a.htm", EACCES, {}},
         "Datei 'a.htm' kann nicht erstellt werden: Keine Berechtigung"},
        {{FailureKind::Write, "big.htm", EFBIG, {}},
         "'big.htm': Stream-Write-Fehler: Datei zu groß"},
        {{FailureKind::Refused, "b\x1b.htm", 0,
          "Datei b\x1b.htm ist kein gültiges UTF-8 (Zeile 1)"},
         "Datei 'b'$'\\033''.htm' ist kein gültiges UTF-8 (Zeile 1)"},
        // The path also stands in the words of the message before it.
        {{FailureKind::Refused, "Datei", 0, "Datei Datei ist kein gültiges UTF-8 (Zeile 2)"},
         "Datei 'Datei' ist kein gültiges UTF-8 (Zeile 2)"},
        {{FailureKind::Refused, "e", 0, "Datei e ist kein gültiges UTF-8 (Zeile 3)"},
         "Datei 'e' ist kein gültiges UTF-8 (Zeile 3)"},
        {{FailureKind::Refused, "s._backup_", ENOENT,
          "Sicherung s._backup_ kann nicht gelöscht werden"},
         "Sicherung 's._backup_' kann nicht gelöscht werden: Nicht vorhanden"},
        {{FailureKind::Other, "e", 0, "Unbekannter Fehler"}, "'e': Unbekannter Fehler"},
        {{FailureKind::Refused, "", 0, "Zeile zu lang"}, "Zeile zu lang"},
    };
    for (const auto& [failure, line] : cases) {
        EXPECT_EQ(ShownFailureLine(failure), line) << failure.path;
    }
}

} // namespace
} // namespace glyphwright::cli

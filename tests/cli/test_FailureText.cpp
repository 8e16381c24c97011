#include "cli/FailureText.h"

#include "files/io/FileErrors.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <utility>
#include <vector>

namespace glyphwright::cli {
namespace {

// The path in a failure line stands in single quotes, where the message
// names it and where the line puts it in front, and only there.
TEST(FailureText, NamesThePathInSingleQuotes) {
    const std::vector<std::pair<FileFailure, std::string>> cases{
        {{FailureKind::Create, "a.htm", EACCES, {}},
         "Datei 'a.htm' kann nicht erstellt werden: Keine Berechtigung"},
        {{FailureKind::Write, "big.htm", EFBIG, {}},
         "'big.htm': Stream-Write-Fehler: Datei zu groß"},
        {UnsupportedFileError::NotUtf8("b\x1b.htm", 1, 0).Failure(),
         "Datei 'b'$'\\033''.htm' ist kein gültiges UTF-8 (Zeile 1)"},
        // The path also stands in the words of the message before it.
        {UnsupportedFileError::NotUtf8("Datei", 2, 5).Failure(),
         "Datei 'Datei' ist kein gültiges UTF-8 (Zeile 2)"},
        {UnsupportedFileError::NotUtf8("e", 3, 9).Failure(),
         "Datei 'e' ist kein gültiges UTF-8 (Zeile 3)"},
        {{FailureKind::BackupNotRemoved, "s._backup_", ENOENT, {}},
         "Sicherung 's._backup_' kann nicht gelöscht werden: Nicht vorhanden"},
        {{FailureKind::Other, "e", 0, "Unbekannter Fehler"}, "'e': Unbekannter Fehler"},
        {{FailureKind::Other, "", 0, "Zeile zu lang"}, "Zeile zu lang"},
    };
    for (const auto& [failure, line] : cases) {
        EXPECT_EQ(FailureText(failure), line) << failure.path;
    }
}

} // namespace
} // namespace glyphwright::cli

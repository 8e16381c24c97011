#include "wording/FailureWording.h"

#include "files/io/FileErrors.h"
#include "wording/Catalog.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace glyphwright::wording {
namespace {

// Each line names the file once and, when a system call failed, its cause
// in German after ": "; the messages themselves read as they always did.
TEST(FailureWording, FailureLineNamesTheFileOnceAndTheCause) {
    struct Case {
        FileFailure failure;
        std::string line;
    };
    const std::string p = "/w/a.htm";
    const std::string b = "/w/a.htm._backup_";
    FileFailure notUtf8{FailureKind::NotUtf8, p, 0, {}};
    notUtf8.line = 2;
    notUtf8.offset = 17;
    const std::vector<Case> cases = {
        {{FailureKind::Create, p, EACCES, {}},
         "Datei /w/a.htm kann nicht erstellt werden: Keine Berechtigung"},
        {{FailureKind::Create, p, EPERM, {}},
         "Datei /w/a.htm kann nicht erstellt werden: Keine Berechtigung"},
        {{FailureKind::Create, p, ENOSPC, {}},
         "Datei /w/a.htm kann nicht erstellt werden: Kein Speicherplatz mehr"},
        {{FailureKind::Create, p, EDQUOT, {}},
         "Datei /w/a.htm kann nicht erstellt werden: Kein Speicherplatz mehr"},
        {{FailureKind::Create, p, EROFS, {}},
         "Datei /w/a.htm kann nicht erstellt werden: Schreibgeschütztes Dateisystem"},
        {CreateError::ReadOnly(p).Failure(),
         "Datei /w/a.htm kann nicht erstellt werden: Schreibgeschützt"},
        {{FailureKind::Create, p, 0, {}}, "Datei /w/a.htm kann nicht erstellt werden"},
        {{FailureKind::Open, p, ENOENT, {}},
         "Datei /w/a.htm kann nicht geöffnet werden: Nicht vorhanden"},
        {{FailureKind::Open, p, EMFILE, {}},
         "Datei /w/a.htm kann nicht geöffnet werden: Zu viele offene Dateien"},
        {{FailureKind::Write, p, EFBIG, {}}, "/w/a.htm: Stream-Write-Fehler: Datei zu groß"},
        {{FailureKind::Write, p, ENOSPC, {}},
         "/w/a.htm: Stream-Write-Fehler: Kein Speicherplatz mehr"},
        {{FailureKind::Changed, p, 0, {}}, "Datei /w/a.htm wurde während der Umwandlung geändert"},
        {{FailureKind::HoldsNul, p, 0, {}},
         "Datei /w/a.htm enthält ein NUL-Byte und wird nicht umgewandelt"},
        {UnsupportedFileError::TooLarge(p).Failure(),
         "Datei /w/a.htm ist 2 GiB groß oder größer und wird nicht umgewandelt"},
        {ShortReadError(p).Failure(), "Datei /w/a.htm konnte nicht vollständig gelesen werden"},
        {{FailureKind::OutOfMemory, p, 0, {}}, "/w/a.htm: Zu wenig Arbeitsspeicher"},
        {notUtf8, "Datei /w/a.htm ist kein gültiges UTF-8 (Zeile 2)"},
        {{FailureKind::Other, p, 0, "Fehler"}, "/w/a.htm: Fehler"},
        {{FailureKind::Other, p, 0, {}}, "/w/a.htm: Unbekannter Fehler"},
        // No English system text, not even for an uncommon cause.
        {{FailureKind::Open, p, ENXIO, {}},
         "Datei /w/a.htm kann nicht geöffnet werden: Kein Gerät oder keine Adresse dahinter"},
        {{FailureKind::Create, p, EXFULL, {}},
         "Datei /w/a.htm kann nicht erstellt werden: Systemfehler " + std::to_string(EXFULL)},
        {UnsupportedFileError::NotRegular(p, S_IFSOCK).Failure(),
         "Datei /w/a.htm ist keine gewöhnliche Datei (Socket)"},
        {UnsupportedFileError::NotRegular(p, S_IFIFO).Failure(),
         "Datei /w/a.htm ist keine gewöhnliche Datei (benannte Pipe)"},
        {UnsupportedFileError::NotRegular(p, S_IFDIR).Failure(),
         "Datei /w/a.htm ist keine gewöhnliche Datei (Ordner)"},
        {UnsupportedFileError::NotRegular(p, S_IFCHR).Failure(),
         "Datei /w/a.htm ist keine gewöhnliche Datei (Gerätedatei)"},
        {LinkRefusedError("/w/l").Failure(),
         "Symbolische Verknüpfung /w/l wird nicht verfolgt: sie gehört weder diesem Benutzer "
         "noch dem Eigentümer ihres Ziels"},
        {BusyError(p).Failure(),
         "Datei /w/a.htm wird gerade von einem anderen Programm geschrieben"},
        {{FailureKind::BackupIsLink, b, 0, {}},
         "Sicherung /w/a.htm._backup_ ist eine symbolische Verknüpfung und wird nicht "
         "zurückgeschrieben"},
        {{FailureKind::BackupNotRegular, b, 0, {}},
         "Sicherung /w/a.htm._backup_ ist keine gewöhnliche Datei und wird nicht "
         "zurückgeschrieben"},
        {{FailureKind::BackupReplaced, b, 0, {}},
         "Sicherung /w/a.htm._backup_ wurde während des Zurückschreibens ersetzt und bleibt"},
        {{FailureKind::BackupNotRemoved, b, EACCES, {}},
         "Sicherung /w/a.htm._backup_ kann nicht gelöscht werden: Keine Berechtigung"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FailureLine(c.failure, c.failure.path), c.line);
    }
}

// Under English the C library's text of a cause, and ours for a number it does not know.
TEST(FailureWording, EnglishTakesTheCausesFromTheCLibrary) {
    UseLanguage(Language::English);
    const std::string p = "/w/a.htm";
    EXPECT_EQ(FailureLine({FailureKind::Create, p, EACCES, {}}, p),
              "Cannot create file /w/a.htm: Permission denied");
    EXPECT_EQ(FailureLine({FailureKind::Open, p, 4000, {}}, p),
              "Cannot open file /w/a.htm: System error 4000");
    EXPECT_EQ(FailureLine(CreateError::ReadOnly(p).Failure(), p),
              "Cannot create file /w/a.htm: Read-only");
    EXPECT_EQ(FailureLine(UnsupportedFileError::NotRegular(p, S_IFDIR).Failure(), p),
              "File /w/a.htm is not a regular file (folder)");
    EXPECT_EQ(SettingsMessage(LoadOutcome::Failed), "Error opening the settings file");
    UseLanguage(Language::German);
    EXPECT_EQ(CauseText(EACCES), "Keine Berechtigung");
}

TEST(FailureWording, SettingsMessagesDifferByTheFullStopAlone) {
    EXPECT_EQ(SettingsMessage(LoadOutcome::Failed), "Fehler beim Öffnen der Konfigurationsdatei");
    EXPECT_EQ(SettingsMessage(SaveOutcome::Failed), "Fehler beim Öffnen der Konfigurationsdatei.");
    EXPECT_FALSE(SettingsMessage(LoadOutcome::Loaded));
    EXPECT_FALSE(SettingsMessage(LoadOutcome::NoFile));
    EXPECT_FALSE(SettingsMessage(SaveOutcome::Saved));
    EXPECT_EQ(kListFullMessage, "Zeile kann nicht eingefügt werden");
}

} // namespace
} // namespace glyphwright::wording

#include "wording/FailureWording.h"

#include <cerrno>
#include <sys/stat.h>

namespace glyphwright::wording {

namespace {

// What stands there instead of a regular file, so that a socket is not
// reported as a missing device.
std::string TypeOf(unsigned type) {
    switch (type & S_IFMT) {
    case S_IFDIR:
        return " (Ordner)";
    case S_IFIFO:
        return " (benannte Pipe)";
    case S_IFSOCK:
        return " (Socket)";
    case S_IFCHR:
    case S_IFBLK:
        return " (Gerätedatei)";
    case S_IFLNK:
        return " (symbolische Verknüpfung)";
    default:
        return {};
    }
}

// The failure's own message, as the program has always worded it, without the cause.
std::string MessageOf(const FileFailure& failure, std::string_view shownName) {
    const std::string name(shownName);
    switch (failure.kind) {
    case FailureKind::Open:
        return "Datei " + name + " kann nicht geöffnet werden";
    case FailureKind::Create:
        return "Datei " + name + " kann nicht erstellt werden";
    case FailureKind::Write:
        return "Stream-Write-Fehler";
    case FailureKind::Changed:
        return "Datei " + name + " wurde während der Umwandlung geändert";
    case FailureKind::HoldsNul:
        return "Datei " + name + " enthält ein NUL-Byte und wird nicht umgewandelt";
    case FailureKind::TooLarge:
        return "Datei " + name + " ist 2 GiB groß oder größer und wird nicht umgewandelt";
    case FailureKind::NotRegular:
        return "Datei " + name + " ist keine gewöhnliche Datei" + TypeOf(failure.type);
    case FailureKind::ShortRead:
        return "Datei " + name + " konnte nicht vollständig gelesen werden";
    case FailureKind::NotUtf8:
        return "Datei " + name + " ist kein gültiges UTF-8 (Zeile " + std::to_string(failure.line) +
               ")";
    case FailureKind::OutOfMemory:
        return "Zu wenig Arbeitsspeicher";
    case FailureKind::Stopped:
        return "abgebrochen";
    case FailureKind::ForeignLink:
        return "Symbolische Verknüpfung " + name +
               " wird nicht verfolgt: sie gehört weder diesem Benutzer noch dem Eigentümer "
               "ihres Ziels";
    case FailureKind::Busy:
        return "Datei " + name + " wird gerade von einem anderen Programm geschrieben";
    case FailureKind::BackupIsLink:
        return "Sicherung " + name +
               " ist eine symbolische Verknüpfung und wird nicht zurückgeschrieben";
    case FailureKind::BackupNotRegular:
        return "Sicherung " + name +
               " ist keine gewöhnliche Datei und wird nicht zurückgeschrieben";
    case FailureKind::BackupReplaced:
        return "Sicherung " + name + " wurde während des Zurückschreibens ersetzt und bleibt";
    case FailureKind::BackupNotRemoved:
        return "Sicherung " + name + " kann nicht gelöscht werden";
    case FailureKind::Other:
        break;
    }
    // An error the core does not know: the words of whoever threw it.
    return failure.detail.empty() ? std::string(kUnknownFailureMessage) : failure.detail;
}

} // namespace

std::string FailureLine(const FileFailure& failure, std::string_view shownName) {
    std::string line = MessageOf(failure, shownName);
    switch (failure.kind) {
    case FailureKind::Write:
    case FailureKind::OutOfMemory:
    case FailureKind::Stopped:
    case FailureKind::Other:
        if (!failure.path.empty()) {
            line = std::string(shownName) + ": " + line;
        }
        break;
    default:
        break;
    }
    if (failure.readOnly) {
        line += ": Schreibgeschützt";
    } else if (failure.error != 0) {
        line += ": " + CauseText(failure.error);
    }
    return line;
}

std::string CauseText(int error) {
    switch (error) {
    case EACCES:
    case EPERM:
        return "Keine Berechtigung";
    case ENOSPC:
    case EDQUOT:
        return "Kein Speicherplatz mehr";
    case EROFS:
        return "Schreibgeschütztes Dateisystem";
    case EFBIG:
        return "Datei zu groß";
    case ENOENT:
        return "Nicht vorhanden";
    case EISDIR:
        return "Ist ein Ordner";
    case ENOTDIR:
        return "Ein Teil des Pfads ist kein Ordner";
    case ELOOP:
        return "Zu viele symbolische Verknüpfungen";
    case ENAMETOOLONG:
        return "Name zu lang";
    case EIO:
        return "Ein-/Ausgabefehler";
    case EMFILE:
    case ENFILE:
        return "Zu viele offene Dateien";
    case ENOMEM:
        return "Zu wenig Arbeitsspeicher";
    case EBUSY:
    case ETXTBSY:
        return "Wird gerade benutzt";
    case EXDEV:
        return "Liegt auf einem anderen Dateisystem";
    case ENXIO:
        return "Kein Gerät oder keine Adresse dahinter";
    case ENODEV:
        return "Kein passendes Gerät";
    case EAGAIN:
        return "Vorübergehend nicht verfügbar";
    case EEXIST:
        return "Ist schon vorhanden";
    case EINVAL:
        return "Ungültiges Argument";
    case EOVERFLOW:
        return "Wert zu groß";
    case ESTALE:
        return "Veraltete Dateikennung (Netzlaufwerk)";
    case ENOTSUP:
        return "Wird nicht unterstützt";
    case EMLINK:
        return "Zu viele Verweise";
    case ENOTEMPTY:
        return "Ordner ist nicht leer";
    case ETIMEDOUT:
        return "Zeitüberschreitung";
    default:
        break;
    }
    return "Systemfehler " + std::to_string(error);
}

std::optional<std::string_view> SettingsMessage(LoadOutcome outcome) {
    if (outcome == LoadOutcome::Failed) {
        return kLoadFailedMessage;
    }
    return std::nullopt;
}

std::optional<std::string_view> SettingsMessage(SaveOutcome outcome) {
    if (outcome == SaveOutcome::Failed) {
        return kSaveFailedMessage;
    }
    return std::nullopt;
}

} // namespace glyphwright::wording

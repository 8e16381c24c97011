#include "files/FileFailure.h"

#include <cerrno>
#include <sys/stat.h>

namespace glyphwright {

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

} // namespace

std::string MessageOf(const FileFailure& failure) {
    const std::string& path = failure.path;
    switch (failure.kind) {
    case FailureKind::Open:
        return "Datei " + path + " kann nicht geöffnet werden";
    case FailureKind::Create:
        return "Datei " + path + " kann nicht erstellt werden";
    case FailureKind::Write:
        return "Stream-Write-Fehler";
    case FailureKind::Changed:
        return "Datei " + path + " wurde während der Umwandlung geändert";
    case FailureKind::HoldsNul:
        return "Datei " + path + " enthält ein NUL-Byte und wird nicht umgewandelt";
    case FailureKind::TooLarge:
        return "Datei " + path + " ist 2 GiB groß oder größer und wird nicht umgewandelt";
    case FailureKind::NotRegular:
        return "Datei " + path + " ist keine gewöhnliche Datei" + TypeOf(failure.type);
    case FailureKind::ShortRead:
        return "Datei " + path + " konnte nicht vollständig gelesen werden";
    case FailureKind::OutOfMemory:
        return "Zu wenig Arbeitsspeicher";
    case FailureKind::Stopped:
        return "abgebrochen";
    case FailureKind::ForeignLink:
        return "Symbolische Verknüpfung " + path +
               " wird nicht verfolgt: sie gehört weder diesem Benutzer noch dem Eigentümer "
               "ihres Ziels";
    case FailureKind::Busy:
        return "Datei " + path + " wird gerade von einem anderen Programm geschrieben";
    case FailureKind::NotUtf8:
        return "Datei " + path + " ist kein gültiges UTF-8 (Zeile " + std::to_string(failure.line) +
               ")";
    case FailureKind::BackupIsLink:
        return "Sicherung " + path +
               " ist eine symbolische Verknüpfung und wird nicht zurückgeschrieben";
    case FailureKind::BackupNotRegular:
        return "Sicherung " + path + " ist keine gewöhnliche Datei und wird nicht zurückgeschrieben";
    case FailureKind::BackupReplaced:
        return "Sicherung " + path + " wurde während des Zurückschreibens ersetzt und bleibt";
    case FailureKind::BackupNotRemoved:
        return "Sicherung " + path + " kann nicht gelöscht werden";
    case FailureKind::Other:
        break;
    }
    return failure.detail.empty() ? "Unbekannter Fehler" : failure.detail;
}

std::string FailureLine(const FileFailure& failure) {
    std::string line = MessageOf(failure);
    switch (failure.kind) {
    case FailureKind::Write:
    case FailureKind::OutOfMemory:
    case FailureKind::Stopped:
    case FailureKind::Other:
        if (!failure.path.empty()) {
            line = failure.path + ": " + line;
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
    // The system's own text would be English under most settings.
    return "Systemfehler " + std::to_string(error);
}

} // namespace glyphwright

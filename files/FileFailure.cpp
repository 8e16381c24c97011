#include "files/FileFailure.h"

#include <cerrno>
#include <cstring>

namespace glyphwright {

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
        return "Datei " + path + " ist keine gewöhnliche Datei";
    case FailureKind::ShortRead:
        return "Datei " + path + " konnte nicht vollständig gelesen werden";
    case FailureKind::OutOfMemory:
        return "Zu wenig Arbeitsspeicher";
    case FailureKind::Stopped:
        return "abgebrochen";
    case FailureKind::Refused:
    case FailureKind::Other:
        break;
    }
    return failure.detail;
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
    default:
        break;
    }
    char buffer[256];
    // The GNU form: returns the text, which need not be in buffer.
    return ::strerror_r(error, buffer, sizeof buffer);
}

} // namespace glyphwright

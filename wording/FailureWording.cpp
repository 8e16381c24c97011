#include "wording/FailureWording.h"

#include "wording/Catalog.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace glyphwright::wording {

namespace {

// What stands there instead of a regular file, so that a socket is not
// reported as a missing device.
std::string_view TypeOf(unsigned type) {
    switch (type & S_IFMT) {
    case S_IFDIR:
        return Tr("(Ordner)");
    case S_IFIFO:
        return Tr("(benannte Pipe)");
    case S_IFSOCK:
        return Tr("(Socket)");
    case S_IFCHR:
    case S_IFBLK:
        return Tr("(Gerätedatei)");
    case S_IFLNK:
        return Tr("(symbolische Verknüpfung)");
    default:
        return {};
    }
}

// The failure's own message, as the program has always worded it, without the cause.
std::string MessageOf(const FileFailure& failure, std::string_view shownName) {
    const std::string name(shownName);
    switch (failure.kind) {
    case FailureKind::Open:
        return Format(Tr("Datei %s kann nicht geöffnet werden"), {name});
    case FailureKind::Create:
        return Format(Tr("Datei %s kann nicht erstellt werden"), {name});
    case FailureKind::Write:
        return std::string(Tr("Stream-Write-Fehler"));
    case FailureKind::Changed:
        return Format(Tr("Datei %s wurde während der Umwandlung geändert"), {name});
    case FailureKind::HoldsNul:
        return Format(Tr("Datei %s enthält ein NUL-Byte und wird nicht umgewandelt"), {name});
    case FailureKind::TooLarge:
        return Format(Tr("Datei %s ist 2 GiB groß oder größer und wird nicht umgewandelt"), {name});
    case FailureKind::NotRegular:
        if (const std::string_view type = TypeOf(failure.type); !type.empty()) {
            return Format(Tr("Datei %s ist keine gewöhnliche Datei %s"), {name, type});
        }
        return Format(Tr("Datei %s ist keine gewöhnliche Datei"), {name});
    case FailureKind::ShortRead:
        return Format(Tr("Datei %s konnte nicht vollständig gelesen werden"), {name});
    case FailureKind::NotUtf8:
        return Format(Tr("Datei %s ist kein gültiges UTF-8 (Zeile %s)"),
                      {name, std::to_string(failure.line)});
    case FailureKind::OutOfMemory:
        return std::string(Tr("Zu wenig Arbeitsspeicher"));
    case FailureKind::Stopped:
        return std::string(Tr("abgebrochen"));
    case FailureKind::ForeignLink:
        return Format(Tr("Symbolische Verknüpfung %s wird nicht verfolgt: sie gehört weder "
                         "diesem Benutzer noch dem Eigentümer ihres Ziels"),
                      {name});
    case FailureKind::Busy:
        return Format(Tr("Datei %s wird gerade von einem anderen Programm geschrieben"), {name});
    case FailureKind::BackupIsLink:
        return Format(
            Tr("Sicherung %s ist eine symbolische Verknüpfung und wird nicht zurückgeschrieben"),
            {name});
    case FailureKind::BackupNotRegular:
        return Format(
            Tr("Sicherung %s ist keine gewöhnliche Datei und wird nicht zurückgeschrieben"),
            {name});
    case FailureKind::BackupReplaced:
        return Format(Tr("Sicherung %s wurde während des Zurückschreibens ersetzt und bleibt"),
                      {name});
    case FailureKind::BackupNotRemoved:
        return Format(Tr("Sicherung %s kann nicht gelöscht werden"), {name});
    case FailureKind::Other:
        break;
    }
    // An error the core does not know: the words of whoever threw it.
    return failure.detail.empty() ? std::string(Tr(kUnknownFailureMessage)) : failure.detail;
}

// The C library's text in the chosen language; ours for a number it does not know.
std::string SystemCauseText(int error) {
    if (strerrordesc_np(error) == nullptr) {
        return Format(Tr("Systemfehler %s"), {std::to_string(error)});
    }
    char buffer[256];
    return strerror_r(error, buffer, sizeof buffer);
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
        line.append(": ").append(Tr("Schreibgeschützt"));
    } else if (failure.error != 0) {
        line += ": " + CauseText(failure.error);
    }
    return line;
}

std::string CauseText(int error) {
    if (ChosenLanguage() != Language::German) {
        return SystemCauseText(error);
    }
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
    return Format(Tr("Systemfehler %s"), {std::to_string(error)});
}

std::optional<std::string_view> SettingsMessage(LoadOutcome outcome) {
    if (outcome == LoadOutcome::Failed) {
        return Tr(kLoadFailedMessage);
    }
    return std::nullopt;
}

std::optional<std::string_view> SettingsMessage(SaveOutcome outcome) {
    if (outcome == SaveOutcome::Failed) {
        return Tr(kSaveFailedMessage);
    }
    return std::nullopt;
}

} // namespace glyphwright::wording

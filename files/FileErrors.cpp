#include "files/FileErrors.h"

namespace glyphwright {

OpenError::OpenError(const std::string& path)
    : FileError("Datei " + path + " kann nicht geöffnet werden") {}

CreateError::CreateError(const std::string& path)
    : FileError("Datei " + path + " kann nicht erstellt werden") {}

WriteError::WriteError() : FileError("Stream-Write-Fehler") {}

UnsupportedFileError UnsupportedFileError::HoldsNul(const std::string& path) {
    return UnsupportedFileError("Datei " + path +
                                " enthält ein NUL-Byte und wird nicht umgewandelt");
}

UnsupportedFileError UnsupportedFileError::TooLarge(const std::string& path) {
    return UnsupportedFileError("Datei " + path +
                                " ist 2 GiB groß oder größer und wird nicht umgewandelt");
}

UnsupportedFileError UnsupportedFileError::NotRegular(const std::string& path) {
    return UnsupportedFileError("Datei " + path + " ist keine gewöhnliche Datei");
}

UnsupportedFileError UnsupportedFileError::NotUtf8(const std::string& path, std::size_t line) {
    return UnsupportedFileError("Datei " + path + " ist kein gültiges UTF-8 (Zeile " +
                                std::to_string(line) + ")");
}

ShortReadError::ShortReadError(const std::string& path)
    : FileError("Datei " + path + " konnte nicht vollständig gelesen werden") {}

} // namespace glyphwright

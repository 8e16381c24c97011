// The failures of reading and writing a text file. Every one carries the
// German message shown to the user, naming the file where there is one.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>

namespace glyphwright {

class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "Datei %s kann nicht geöffnet werden"
class OpenError : public FileError {
public:
    explicit OpenError(const std::string& path);
};

// "Datei %s kann nicht erstellt werden"
class CreateError : public FileError {
public:
    explicit CreateError(const std::string& path);
};

// "Stream-Write-Fehler": fewer bytes stored than the text holds.
class WriteError : public FileError {
public:
    WriteError();
};

// A file the line model cannot carry unchanged, refused before anything is written.
class UnsupportedFileError : public FileError {
public:
    using FileError::FileError;
    static UnsupportedFileError HoldsNul(const std::string& path);
    static UnsupportedFileError TooLarge(const std::string& path);
    static UnsupportedFileError NotRegular(const std::string& path);
    // Taken as UTF-8 (by its byte-order mark, or as asked) but not valid UTF-8.
    static UnsupportedFileError NotUtf8(const std::string& path, std::size_t line);
};

// A read that delivered fewer bytes than the file's size.
class ShortReadError : public FileError {
public:
    explicit ShortReadError(const std::string& path);
};

} // namespace glyphwright

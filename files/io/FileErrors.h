// The failures of reading and writing a text file, thrown as exceptions that
// carry the failure as data (FileFailure). what() is DebugText, for a log;
// what a person reads is made from Failure() by the front end.
#pragma once

#include "files/io/FileFailure.h"

#include <cstddef>
#include <exception>
#include <stdexcept>
#include <string>
#include <utility>

namespace glyphwright {

class FileError : public std::runtime_error {
public:
    explicit FileError(FileFailure failure);
    const FileFailure& Failure() const { return failure_; }

private:
    FileFailure failure_;
};

// The file cannot be opened for reading.
class OpenError : public FileError {
public:
    explicit OpenError(const std::string& path, int error = 0);
};

// The new file cannot be made, or the old one may not be replaced.
class CreateError : public FileError {
public:
    explicit CreateError(const std::string& path, int error = 0);
    // The file's mode has no write permission bit.
    static CreateError ReadOnly(const std::string& path);

private:
    explicit CreateError(FileFailure failure) : FileError(std::move(failure)) {}
};

// Fewer bytes stored than the text holds.
class WriteError : public FileError {
public:
    explicit WriteError(const std::string& path = {}, int error = 0);
};

// The file at the path is no longer the one that was read, so it is left
// as the other program left it.
class ChangedError : public FileError {
public:
    explicit ChangedError(const std::string& path);
};

// A stop was requested before the file was replaced; the old file stands.
class StoppedError : public FileError {
public:
    explicit StoppedError(const std::string& path);
};

// A file the line model cannot carry unchanged, refused before anything is written.
class UnsupportedFileError : public FileError {
public:
    static UnsupportedFileError HoldsNul(const std::string& path);
    static UnsupportedFileError TooLarge(const std::string& path);
    // type: the file type bits of what stands there (st_mode).
    static UnsupportedFileError NotRegular(const std::string& path, unsigned type = 0);
    // Taken as UTF-8 (by its byte-order mark, or as asked) but not valid UTF-8
    // from the byte at offset, which stands in the given line.
    static UnsupportedFileError NotUtf8(const std::string& path, std::size_t line,
                                        std::size_t offset);

private:
    explicit UnsupportedFileError(FileFailure failure) : FileError(std::move(failure)) {}
};

// A symbolic link that may not be followed: another user's, to what is not
// theirs. Thrown before anything is read or written through it.
class LinkRefusedError : public FileError {
public:
    explicit LinkRefusedError(const std::string& link);
};

// Another program holds the file open for writing; it is left to finish.
class BusyError : public FileError {
public:
    explicit BusyError(const std::string& path);
};

// A read that delivered fewer bytes than the file's size.
class ShortReadError : public FileError {
public:
    explicit ShortReadError(const std::string& path, int error = 0);
};

// The failure that an error caught while working on path stands for: a
// FileError's own, no memory, or Other for the rest (with the error's
// what(), if it has one). The one place that turns what a step throws into
// its outcome.
FileFailure FailureOf(std::exception_ptr error, const std::string& path);

} // namespace glyphwright

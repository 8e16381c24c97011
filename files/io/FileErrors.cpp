#include "files/io/FileErrors.h"

#include <cerrno>
#include <new>
#include <utility>

namespace glyphwright {

FileError::FileError(FileFailure failure)
    : std::runtime_error(DebugText(failure)), failure_(std::move(failure)) {}

OpenError::OpenError(const std::string& path, int error)
    : FileError({FailureKind::Open, path, error, {}}) {}

CreateError::CreateError(const std::string& path, int error)
    : FileError({FailureKind::Create, path, error, {}}) {}

CreateError CreateError::ReadOnly(const std::string& path) {
    FileFailure failure{FailureKind::Create, path, EACCES, {}};
    failure.readOnly = true;
    return CreateError(std::move(failure));
}

WriteError::WriteError(const std::string& path, int error)
    : FileError({FailureKind::Write, path, error, {}}) {}

ChangedError::ChangedError(const std::string& path)
    : FileError({FailureKind::Changed, path, 0, {}}) {}

StoppedError::StoppedError(const std::string& path)
    : FileError({FailureKind::Stopped, path, 0, {}}) {}

UnsupportedFileError UnsupportedFileError::HoldsNul(const std::string& path) {
    return UnsupportedFileError(FileFailure{FailureKind::HoldsNul, path, 0, {}});
}

UnsupportedFileError UnsupportedFileError::TooLarge(const std::string& path) {
    return UnsupportedFileError(FileFailure{FailureKind::TooLarge, path, 0, {}});
}

UnsupportedFileError UnsupportedFileError::NotRegular(const std::string& path, unsigned type) {
    FileFailure failure{FailureKind::NotRegular, path, 0, {}};
    failure.type = type;
    return UnsupportedFileError(std::move(failure));
}

UnsupportedFileError UnsupportedFileError::NotUtf8(const std::string& path, std::size_t line,
                                                   std::size_t offset) {
    FileFailure failure{FailureKind::NotUtf8, path, 0, {}};
    failure.line = line;
    failure.offset = offset;
    return UnsupportedFileError(std::move(failure));
}

LinkRefusedError::LinkRefusedError(const std::string& link)
    : FileError({FailureKind::ForeignLink, link, 0, {}}) {}

BusyError::BusyError(const std::string& path) : FileError({FailureKind::Busy, path, 0, {}}) {}

ShortReadError::ShortReadError(const std::string& path, int error)
    : FileError({FailureKind::ShortRead, path, error, {}}) {}

FileFailure FailureOf(std::exception_ptr error, const std::string& path) {
    try {
        std::rethrow_exception(std::move(error));
    } catch (const FileError& fileError) {
        return fileError.Failure();
    } catch (const std::bad_alloc&) {
        return {FailureKind::OutOfMemory, path, 0, {}};
    } catch (const std::exception& other) {
        return {FailureKind::Other, path, 0, other.what()};
    } catch (...) {
        return {FailureKind::Other, path, 0, {}};
    }
}

} // namespace glyphwright

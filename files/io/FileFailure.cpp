#include "files/io/FileFailure.h"

namespace glyphwright {

namespace {

const char* NameOf(FailureKind kind) {
    switch (kind) {
    case FailureKind::Open:
        return "cannot open";
    case FailureKind::Create:
        return "cannot create";
    case FailureKind::Write:
        return "short write";
    case FailureKind::Changed:
        return "changed meanwhile";
    case FailureKind::HoldsNul:
        return "holds NUL";
    case FailureKind::TooLarge:
        return "2 GiB or more";
    case FailureKind::NotRegular:
        return "not a regular file";
    case FailureKind::ShortRead:
        return "short read";
    case FailureKind::NotUtf8:
        return "not UTF-8";
    case FailureKind::OutOfMemory:
        return "out of memory";
    case FailureKind::Stopped:
        return "stopped";
    case FailureKind::ForeignLink:
        return "foreign link";
    case FailureKind::Busy:
        return "being written";
    case FailureKind::BackupIsLink:
        return "backup is a link";
    case FailureKind::BackupNotRegular:
        return "backup not a regular file";
    case FailureKind::BackupReplaced:
        return "backup replaced meanwhile";
    case FailureKind::BackupNotRemoved:
        return "backup not removed";
    case FailureKind::Other:
        break;
    }
    return "other";
}

} // namespace

std::string DebugText(const FileFailure& failure) {
    std::string text = NameOf(failure.kind);
    if (!failure.path.empty()) {
        text += ": " + failure.path;
    }
    if (failure.kind == FailureKind::NotUtf8) {
        text += " (line " + std::to_string(failure.line) + ", byte " +
                std::to_string(failure.offset) + ")";
    }
    if (failure.kind == FailureKind::NotRegular) {
        text += " (type " + std::to_string(failure.type) + ")";
    }
    if (failure.readOnly) {
        text += " (read-only)";
    }
    if (failure.error != 0) {
        text += " (errno " + std::to_string(failure.error) + ")";
    }
    if (!failure.detail.empty()) {
        text += ": " + failure.detail;
    }
    return text;
}

} // namespace glyphwright

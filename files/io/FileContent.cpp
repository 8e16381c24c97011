#include "files/io/FileContent.h"

#include "entities/CheckedSize.h"
#include "files/io/PosixFile.h"

namespace glyphwright {

FileContent WholeText(std::string_view text) {
    return [text](const PutPiece& put) { return put(text); };
}

std::string ContentText(const FileContent& content) {
    std::string text;
    content([&text](std::string_view piece) {
        text.append(piece);
        return true;
    });
    return text;
}

std::size_t ContentSize(const FileContent& content) {
    std::size_t size = 0;
    content([&size](std::string_view piece) {
        size = SizeSum(size, piece.size());
        return true;
    });
    return size;
}

bool WriteContent(int fd, const FileContent& content) {
    return content([fd](std::string_view piece) { return posix::WriteAll(fd, piece); });
}

bool WriteContentAt(int fd, const FileContent& content, off_t offset) {
    return content([fd, &offset](std::string_view piece) {
        if (!posix::WriteAllAt(fd, piece, offset)) {
            return false;
        }
        offset += static_cast<off_t>(piece.size());
        return true;
    });
}

} // namespace glyphwright

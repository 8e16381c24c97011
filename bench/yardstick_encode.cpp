// The yardstick of the whole-run benchmark: the least a converter must do.
// Each named file is read whole, encoded in one pass and written back over
// itself with plain open/read/write: no line model, no backup, no temporary
// file and rename. With --replace as first argument, the least a converter
// must do that never leaves a half-written file: the result goes to a new file
// that is renamed over the old one. Exit status 1 when any file failed.
#include "entities/Unit_HtmlUmlaute.h"

#include <cstdio>
#include <fcntl.h>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool WriteAll(int fd, const std::string& bytes) {
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (put <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(put);
    }
    return true;
}

bool EncodeInPlace(const char* path, bool replace) {
    const int fd = ::open(path, O_RDWR | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    struct stat info {};
    bool ok = ::fstat(fd, &info) == 0;
    std::string bytes(ok ? static_cast<std::size_t>(info.st_size) : 0, '\0');
    for (std::size_t done = 0; ok && done < bytes.size();) {
        const ssize_t got = ::read(fd, bytes.data() + done, bytes.size() - done);
        ok = got > 0;
        done += ok ? static_cast<std::size_t>(got) : 0;
    }
    if (ok && replace) {
        const std::string encoded = glyphwright::EncodeUmlauts(bytes);
        const std::string temp = std::string(path) + ".new";
        const int out = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        ok = out >= 0 && WriteAll(out, encoded) && ::fchmod(out, info.st_mode & 07777) == 0;
        ok = out >= 0 && ::close(out) == 0 && ok && ::rename(temp.c_str(), path) == 0;
    } else if (ok) {
        const std::string encoded = glyphwright::EncodeUmlauts(bytes);
        for (std::size_t done = 0; ok && done < encoded.size();) {
            const ssize_t put = ::pwrite(fd, encoded.data() + done, encoded.size() - done,
                                         static_cast<off_t>(done));
            ok = put > 0;
            done += ok ? static_cast<std::size_t>(put) : 0;
        }
        ok = ok && ::ftruncate(fd, static_cast<off_t>(encoded.size())) == 0;
    }
    return ::close(fd) == 0 && ok;
}

} // namespace

int main(int argc, char** argv) {
    int status = 0;
    const bool replace = argc > 1 && std::string_view(argv[1]) == "--replace";
    for (int i = replace ? 2 : 1; i < argc; ++i) {
        if (!EncodeInPlace(argv[i], replace)) {
            std::fprintf(stderr, "yardstick-encode: %s failed\n", argv[i]);
            status = 1;
        }
    }
    return status;
}

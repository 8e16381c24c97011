#include "files/io/ReadLease.h"

#include "files/io/FileErrors.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <mutex>

namespace glyphwright {

namespace {

// The kernel tells a lease holder of a writer with SIGIO, whose default
// ends the process. The lease is only ever asked about, never waited on.
void IgnoreLeaseBreakSignal() {
    static std::once_flag once;
    std::call_once(once, [] {
        struct sigaction current {};
        if (::sigaction(SIGIO, nullptr, &current) == 0 && current.sa_handler == SIG_DFL) {
            ::signal(SIGIO, SIG_IGN);
        }
    });
}

} // namespace

ReadLease::ReadLease(int fd, const std::string& path) {
    IgnoreLeaseBreakSignal();
    if (::fcntl(fd, F_SETLEASE, F_RDLCK) == 0) {
        fd_ = fd;
    } else if (errno == EAGAIN) {
        throw BusyError(path);
    }
}

ReadLease::~ReadLease() {
    Release();
}

void ReadLease::Release() {
    if (fd_ >= 0) {
        ::fcntl(fd_, F_SETLEASE, F_UNLCK);
        fd_ = -1;
    }
}

} // namespace glyphwright
